<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>FormView</name>
    <message>
        <source>&amp;Save to file</source>
        <translation>In Datei &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Load from file</source>
        <translation>Aus Datei &amp;laden</translation>
    </message>
    <message>
        <source>R&amp;estore Default</source>
        <translation>Stan&amp;dardwerte</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Konfiguration</translation>
    </message>
    <message>
        <source> &amp;Run</source>
        <translation> &amp;Betrieb</translation>
    </message>
    <message>
        <source>Unconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Hardware:</source>
        <translation>Hardware:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>Motor Magnet Poles:</source>
        <translation>Magnetpole:</translation>
    </message>
    <message>
        <source>Rev:</source>
        <translation>Drehzahl:</translation>
    </message>
    <message>
        <source>r/min</source>
        <translation>U/min</translation>
    </message>
    <message>
        <source>Throttle:</source>
        <translation>Gas:</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Betrieb</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Throttle. Esc stops the motor at once, from any window of the program; Home goes to 0.</source>
        <translation>Gas. Esc hält den Motor sofort an, aus jedem Fenster des Programms; Pos1 stellt auf 0.</translation>
    </message>
    <message>
        <source>No ESC connected: the throttle works once an ESC has been found.</source>
        <translation>Kein ESC verbunden: das Gas wirkt, sobald ein ESC gefunden ist.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>permission denied. Your user may not open it: ask for access to the device, then log out and in again.</source>
        <translation>Zugriff verweigert. Ihr Benutzer darf ihn nicht öffnen: bitten Sie um Zugriff auf das Gerät, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>permission denied. Your user may not open it: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation>Zugriff verweigert. Ihr Benutzer darf ihn nicht öffnen: sudo usermod -aG %1 $USER, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>gone. Plug the adapter in again.</source>
        <translation>nicht mehr da. Stecken Sie den Adapter wieder ein.</translation>
    </message>
    <message>
        <source>gone (%1). Plug the adapter in again.</source>
        <translation>nicht mehr da (%1). Stecken Sie den Adapter wieder ein.</translation>
    </message>
    <message>
        <source>not a device, not a serial port. Check MORVANE_ESC_PORTS.</source>
        <translation>kein Gerät, keine serielle Schnittstelle. Prüfen Sie MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>%1, not a serial port. Check MORVANE_ESC_PORTS.</source>
        <translation>%1, keine serielle Schnittstelle. Prüfen Sie MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>could not be opened.</source>
        <translation>konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>could not be opened: %1.</source>
        <translation>konnte nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <source>No port is open: pick one in the Port list.</source>
        <translation>Kein Port ist offen: wählen Sie einen in der Port-Liste.</translation>
    </message>
    <message>
        <source>No answer from an ESC on %1 since %2. Check that the ESC is powered, that its signal and ground wires are connected and that the adapter is on the ESC&apos;s programming connection.</source>
        <translation>Keine Antwort von einem ESC an %1 seit %2. Prüfen Sie, ob der ESC Strom hat, ob Signal- und Masseleitung angeschlossen sind und ob der Adapter am Programmieranschluss des ESC steckt.</translation>
    </message>
    <message>
        <source>Connected since %1 on %2.</source>
        <translation>Verbunden seit %1 an %2.</translation>
    </message>
    <message>
        <source>The adapter of %1 was unplugged at %2. The port opens again by itself when it is back.</source>
        <translation>Der Adapter von %1 wurde um %2 abgezogen. Der Port öffnet sich von selbst wieder, sobald er zurück ist.</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>Nicht geöffnet: %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Check ports</source>
        <translation>Ports prüfen</translation>
    </message>
    <message>
        <source>Check ports…</source>
        <translation>Ports prüfen…</translation>
    </message>
    <message>
        <source>Settings files (*.json)</source>
        <translation>Einstellungsdateien (*.json)</translation>
    </message>
    <message>
        <source>Save settings to file</source>
        <translation>Einstellungen in Datei speichern</translation>
    </message>
    <message>
        <source>Load settings from file</source>
        <translation>Einstellungen aus Datei laden</translation>
    </message>
    <message>
        <source>Settings file</source>
        <translation>Einstellungsdatei</translation>
    </message>
    <message>
        <source>Save settings to file…</source>
        <translation>Einstellungen in Datei speichern…</translation>
    </message>
    <message>
        <source>Load settings from file…</source>
        <translation>Einstellungen aus Datei laden…</translation>
    </message>
    <message>
        <source>Right-click for the file commands: Ctrl+S saves these settings to a file, Ctrl+O loads a file into the connected ESC.</source>
        <translation>Rechtsklick für die Dateibefehle: Strg+S speichert diese Einstellungen in eine Datei, Strg+O lädt eine Datei in den verbundenen ESC.</translation>
    </message>
    <message>
        <source>Save support log</source>
        <translation>Support-Protokoll speichern</translation>
    </message>
    <message>
        <source>Support logs (*.log *.txt)</source>
        <translation>Support-Protokolle (*.log *.txt)</translation>
    </message>
    <message>
        <source>Support log</source>
        <translation>Support-Protokoll</translation>
    </message>
    <message>
        <source>Save support log…</source>
        <translation>Support-Protokoll speichern…</translation>
    </message>
    <message>
        <source>The support log could not be saved to %1: %2</source>
        <translation>Das Support-Protokoll konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>(no presets found)</source>
        <translation>(keine Voreinstellungen gefunden)</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Als Voreinstellung speichern</translation>
    </message>
    <message>
        <source>Description, e.g. &quot;3S LiPo, soft cutoff&quot;:</source>
        <translation>Beschreibung, z. B. „3S LiPo, sanfte Abschaltung“:</translation>
    </message>
    <message>
        <source>Settings library</source>
        <translation>Einstellungsbibliothek</translation>
    </message>
    <message>
        <source>Compare with file…</source>
        <translation>Mit Datei vergleichen…</translation>
    </message>
    <message>
        <source>Apply preset</source>
        <translation>Voreinstellung anwenden</translation>
    </message>
    <message>
        <source>Save as preset…</source>
        <translation>Als Voreinstellung speichern…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>T&amp;heme</source>
        <translation>&amp;Farbschema</translation>
    </message>
    <message numerus="yes">
        <source>%n settings (%1)</source>
        <translation>
            <numerusform>%n Einstellung (%1)</numerusform>
            <numerusform>%n Einstellungen (%1)</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo: %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo: %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Cutoff Voltage</source>
        <translation>Abschaltspannung</translation>
    </message>
    <message>
        <source>Cutoff Type</source>
        <translation>Abschaltart</translation>
    </message>
    <message>
        <source>Hard Cutoff</source>
        <translation>Hart</translation>
    </message>
    <message>
        <source>Soft Cutoff</source>
        <translation>Sanft</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Bremse</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Timing Advance</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Rotation Direction</source>
        <translation>Drehrichtung</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Rückwärts</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>connection lost</source>
        <translation>Verbindung verloren</translation>
    </message>
    <message>
        <source>Config tab chosen</source>
        <translation>Reiter Konfiguration gewählt</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>motor test closed</source>
        <translation>Motortest geschlossen</translation>
    </message>
    <message>
        <source>throttle moved outside the sweep</source>
        <translation>Gas außerhalb des Durchlaufs bewegt</translation>
    </message>
    <message>
        <source>Stopped (%1) after %2 of %3 steps; throttle 0.</source>
        <translation>Angehalten (%1) nach %2 von %3 Stufen; Gas 0.</translation>
    </message>
    <message>
        <source>Done: %1 steps measured; throttle 0.</source>
        <translation>Fertig: %1 Stufen gemessen; Gas 0.</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, rising</source>
        <translation>Stufe %1 von %2: Gas %3, steigt</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, settling</source>
        <translation>Stufe %1 von %2: Gas %3, wartet</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, sample %4 of %5</source>
        <translation>Stufe %1 von %2: Gas %3, Messwert %4 von %5</translation>
    </message>
    <message>
        <source>Stop button</source>
        <translation>Stopp-Knopf</translation>
    </message>
    <message>
        <source>motor test window closed</source>
        <translation>Motortest-Fenster geschlossen</translation>
    </message>
</context>
<context>
    <name>morvane::Accessibility</name>
    <message>
        <source>The serial port the ESC is on. Picking one opens it and looks for an ESC there.</source>
        <translation>Die serielle Schnittstelle, an der der ESC hängt. Die Auswahl öffnet sie und sucht dort nach einem ESC.</translation>
    </message>
    <message>
        <source>Connected while an ESC answers on the chosen port, else Unconnected.</source>
        <translation>Verbunden, solange ein ESC am gewählten Port antwortet, sonst Getrennt.</translation>
    </message>
    <message>
        <source>The model of the connected ESC.</source>
        <translation>Das Modell des verbundenen ESC.</translation>
    </message>
    <message>
        <source>The firmware version of the connected ESC.</source>
        <translation>Die Firmware-Version des verbundenen ESC.</translation>
    </message>
    <message>
        <source>The battery voltage at which the ESC cuts the motor. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Die Akkuspannung, bei der der ESC den Motor abschaltet. Eine Auswahl wird in den verbundenen ESC geschrieben; * markiert die Werkseinstellung.</translation>
    </message>
    <message>
        <source>Whether the ESC brakes the motor at throttle 0. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Ob der ESC den Motor bei Gas 0 bremst. Eine Auswahl wird in den verbundenen ESC geschrieben; * markiert die Werkseinstellung.</translation>
    </message>
    <message>
        <source>The motor&apos;s timing advance in degrees. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Das Timing des Motors in Grad. Eine Auswahl wird in den verbundenen ESC geschrieben; * markiert die Werkseinstellung.</translation>
    </message>
    <message>
        <source>How the ESC cuts at low voltage: at once (hard) or by lowering the power (soft). A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Wie der ESC bei niedriger Spannung abschaltet: sofort (hart) oder durch Senken der Leistung (sanft). Eine Auswahl wird in den verbundenen ESC geschrieben; * markiert die Werkseinstellung.</translation>
    </message>
    <message>
        <source>The direction the motor turns. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Die Richtung, in die sich der Motor dreht. Eine Auswahl wird in den verbundenen ESC geschrieben; * markiert die Werkseinstellung.</translation>
    </message>
    <message>
        <source>Picks the factory default (marked *) of all five settings, which are then written to the connected ESC.</source>
        <translation>Wählt die Werkseinstellung (mit * markiert) aller fünf Einstellungen, die dann in den verbundenen ESC geschrieben werden.</translation>
    </message>
    <message>
        <source>Runs the motor, 0 to 200. Disabled until an ESC is connected. Esc stops the motor at once, from any window of the program; Home goes to 0.</source>
        <translation>Lässt den Motor laufen, 0 bis 200. Gesperrt, bis ein ESC verbunden ist. Esc hält den Motor sofort an, aus jedem Fenster des Programms; Pos1 stellt auf 0.</translation>
    </message>
    <message>
        <source>The throttle the slider sets, 0 to 200.</source>
        <translation>Das Gas, das der Schieberegler einstellt, 0 bis 200.</translation>
    </message>
    <message>
        <source>The motor&apos;s magnet pole count, even, 2 to 24; the speed is computed from it. Up raises it.</source>
        <translation>Die Anzahl der Magnetpole des Motors, gerade, 2 bis 24; daraus wird die Drehzahl berechnet. Pfeil nach oben erhöht sie.</translation>
    </message>
    <message>
        <source>The motor&apos;s magnet pole count.</source>
        <translation>Die Anzahl der Magnetpole des Motors.</translation>
    </message>
    <message>
        <source>Speed (r/min)</source>
        <translation>Drehzahl (U/min)</translation>
    </message>
    <message>
        <source>The motor&apos;s speed in revolutions per minute, measured while the throttle is above 25.</source>
        <translation>Die Drehzahl des Motors in Umdrehungen pro Minute, gemessen, solange das Gas über 25 steht.</translation>
    </message>
    <message>
        <source>Morvane logo</source>
        <translation>Morvane-Logo</translation>
    </message>
    <message>
        <source>Panels</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>Config holds the ESC&apos;s five settings; Run holds the throttle and the speed.</source>
        <translation>Konfiguration enthält die fünf Einstellungen des ESC; Betrieb enthält das Gas und die Drehzahl.</translation>
    </message>
    <message>
        <source>Present values</source>
        <translation>Aktuelle Werte</translation>
    </message>
    <message>
        <source>The average and latest speed in r/min and the throttle.</source>
        <translation>Mittlere und letzte Drehzahl in U/min und das Gas.</translation>
    </message>
    <message>
        <source>Speed and throttle plot</source>
        <translation>Diagramm von Drehzahl und Gas</translation>
    </message>
    <message>
        <source>The last minute of speed (left axis) and throttle (right axis). Record writes the same figures to a CSV file.</source>
        <translation>Die letzte Minute von Drehzahl (linke Achse) und Gas (rechte Achse). Aufzeichnen schreibt dieselben Werte in eine CSV-Datei.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>Whether and where the figures are recorded.</source>
        <translation>Ob und wohin die Werte aufgezeichnet werden.</translation>
    </message>
    <message>
        <source>Sweep status</source>
        <translation>Status des Durchlaufs</translation>
    </message>
    <message>
        <source>What the stepped sweep is doing.</source>
        <translation>Was der gestufte Durchlauf gerade tut.</translation>
    </message>
    <message>
        <source>Sweep results</source>
        <translation>Ergebnisse des Durchlaufs</translation>
    </message>
    <message>
        <source>One row per throttle step: mean and spread of the speed.</source>
        <translation>Eine Zeile je Gasstufe: Mittelwert und Streuung der Drehzahl.</translation>
    </message>
    <message>
        <source>Starts or stops writing one CSV row per speed reply.</source>
        <translation>Startet oder beendet das Schreiben einer CSV-Zeile je Drehzahlantwort.</translation>
    </message>
    <message>
        <source>Starts the stepped sweep: the ESC&apos;s throttle is raised step by step, never above the maximum. Esc or Stop ends it at 0.</source>
        <translation>Startet den gestuften Durchlauf: das Gas des ESC wird Stufe für Stufe erhöht, nie über das Maximum. Esc oder Stopp beendet ihn bei 0.</translation>
    </message>
    <message>
        <source>Ends the sweep and sets the throttle to 0, as Esc does.</source>
        <translation>Beendet den Durchlauf und stellt das Gas auf 0, wie Esc.</translation>
    </message>
    <message>
        <source>Saves the sweep&apos;s table as a CSV file.</source>
        <translation>Speichert die Tabelle des Durchlaufs als CSV-Datei.</translation>
    </message>
    <message>
        <source>The sweep never sets a throttle above this.</source>
        <translation>Der Durchlauf stellt das Gas nie höher als diesen Wert.</translation>
    </message>
</context>
<context>
    <name>morvane::CompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>The ESC holds every setting of %1.</source>
        <translation>Der ESC stimmt in allen Einstellungen mit %1 überein.</translation>
    </message>
    <message numerus="yes">
        <source>The ESC differs from %1 in %n setting(s).</source>
        <translation>
            <numerusform>Der ESC weicht in %n Einstellung von %1 ab.</numerusform>
            <numerusform>Der ESC weicht in %n Einstellungen von %1 ab.</numerusform>
        </translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>Unterschiede</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>ESC</source>
        <translation>ESC</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>Apply these</source>
        <translation>Diese übernehmen</translation>
    </message>
    <message>
        <source>Writes the file&apos;s values where the ESC differs, as loading the file does; each is confirmed by the ESC&apos;s reply.</source>
        <translation>Schreibt die Werte der Datei dort, wo der ESC abweicht, wie beim Laden der Datei; jeder Wert wird durch die Antwort des ESC bestätigt.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestCommands</name>
    <message>
        <source>&amp;Motor test…</source>
        <translation>&amp;Motortest…</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestPlot</name>
    <message>
        <source>r/min, average (as the Run panel)</source>
        <translation>U/min, Mittelwert (wie im Betrieb-Feld)</translation>
    </message>
    <message>
        <source>r/min, each reply</source>
        <translation>U/min, jede Antwort</translation>
    </message>
    <message>
        <source>throttle (right axis, 0 to 200)</source>
        <translation>Gas (rechte Achse, 0 bis 200)</translation>
    </message>
    <message>
        <source>r/min</source>
        <translation>U/min</translation>
    </message>
    <message>
        <source>throttle</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>Zeit (s)</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestWindow</name>
    <message>
        <source>Record</source>
        <translation>Aufzeichnen</translation>
    </message>
    <message>
        <source>Writes one CSV row per speed reply (t_s, throttle, rpm_raw, rpm_avg, poles) until Stop recording.</source>
        <translation>Schreibt je Drehzahlantwort eine CSV-Zeile (t_s, throttle, rpm_raw, rpm_avg, poles), bis „Aufzeichnung beenden“.</translation>
    </message>
    <message>
        <source>Stepped sweep</source>
        <translation>Gestufter Durchlauf</translation>
    </message>
    <message>
        <source>&amp;From throttle:</source>
        <translation>Gas &amp;von:</translation>
    </message>
    <message>
        <source>&amp;To throttle:</source>
        <translation>Gas &amp;bis:</translation>
    </message>
    <message>
        <source>Ste&amp;p:</source>
        <translation>Sc&amp;hritt:</translation>
    </message>
    <message>
        <source>Settling &amp;time:</source>
        <translation>&amp;Wartezeit:</translation>
    </message>
    <message>
        <source>Sa&amp;mples per step:</source>
        <translation>&amp;Messwerte je Stufe:</translation>
    </message>
    <message>
        <source>Ma&amp;ximum throttle:</source>
        <translation>Gas-Ma&amp;ximum:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>St&amp;opp</translation>
    </message>
    <message>
        <source>Ends the sweep and sets the throttle to 0 (so does Esc).</source>
        <translation>Beendet den Durchlauf und stellt das Gas auf 0 (wie Esc).</translation>
    </message>
    <message>
        <source>Save &amp;table…</source>
        <translation>&amp;Tabelle speichern…</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>Mean r/min</source>
        <translation>Mittel U/min</translation>
    </message>
    <message>
        <source>SD r/min</source>
        <translation>SA U/min</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>%1 r/min average    %2 r/min this reply    throttle %3</source>
        <translation>%1 U/min Mittel    %2 U/min diese Antwort    Gas %3</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Recording to %1: %2 rows</source>
        <translation>Aufzeichnung in %1: %2 Zeilen</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Aufzeichnung beendet: %1</translation>
    </message>
    <message>
        <source>Recorded %1 rows to %2</source>
        <translation>%1 Zeilen in %2 aufgezeichnet</translation>
    </message>
    <message>
        <source>Not recording</source>
        <translation>Keine Aufzeichnung</translation>
    </message>
    <message>
        <source>%1 cannot be made: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Record to a CSV file</source>
        <translation>In eine CSV-Datei aufzeichnen</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Steps above 25 only: below it the speed is not polled.</source>
        <translation>Nur Stufen über 25: darunter wird die Drehzahl nicht abgefragt.</translation>
    </message>
    <message>
        <source>Table saved to %1.</source>
        <translation>Tabelle in %1 gespeichert.</translation>
    </message>
    <message>
        <source>The table could not be saved to %1: %2</source>
        <translation>Die Tabelle konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Save the sweep&apos;s table</source>
        <translation>Tabelle des Durchlaufs speichern</translation>
    </message>
    <message>
        <source>Motor test %1 Morvane ESC Config</source>
        <translation>Motortest %1 Morvane ESC Config</translation>
    </message>
</context>
<context>
    <name>morvane::Themes</name>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Hell</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Dunkel</translation>
    </message>
    <message>
        <source>&amp;High contrast</source>
        <translation>Hoher &amp;Kontrast</translation>
    </message>
    <message>
        <source>&amp;Bright (sunlight)</source>
        <translation>Sehr hell (Sonnen&amp;licht)</translation>
    </message>
</context>
</TS>
