<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeviceTrouble</name>
    <message>
        <source>a regular file</source>
        <translation>eine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>eine benannte Pipe (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ein Blockgerät</translation>
    </message>
    <message>
        <source>a device of another kind</source>
        <translation>ein Gerät anderer Art</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>not a device, not a serial port</source>
        <translation>kein Gerät, keine serielle Schnittstelle</translation>
    </message>
    <message>
        <source>%1, not a serial port</source>
        <translation>%1, keine serielle Schnittstelle</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>nicht mehr da</translation>
    </message>
    <message>
        <source>gone (%1)</source>
        <translation>nicht mehr da (%1)</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>could not be opened: %1</source>
        <translation>konnte nicht geöffnet werden: %1</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
    <message>
        <source>a pseudo-terminal</source>
        <translation>ein Pseudo-Terminal</translation>
    </message>
    <message>
        <source>USB serial adapter %1</source>
        <translation>USB-Seriell-Adapter %1</translation>
    </message>
    <message>
        <source>USB serial adapter %1 (%2)</source>
        <translation>USB-Seriell-Adapter %1 (%2)</translation>
    </message>
    <message>
        <source>%1, no driver bound</source>
        <translation>%1, kein Treiber gebunden</translation>
    </message>
    <message>
        <source>%1, driver %2</source>
        <translation>%1, Treiber %2</translation>
    </message>
    <message>
        <source>a serial device, not on USB</source>
        <translation>ein serielles Gerät, nicht am USB</translation>
    </message>
    <message>
        <source>you may open it: you are root.</source>
        <translation>Sie dürfen ihn öffnen: Sie sind root.</translation>
    </message>
    <message>
        <source>you may open it: an ACL gives it to you as the user at this machine&apos;s seat (uaccess).</source>
        <translation>Sie dürfen ihn öffnen: eine ACL gibt ihn Ihnen als Benutzer am Platz dieses Rechners (uaccess).</translation>
    </message>
    <message>
        <source>you may open it: it is yours.</source>
        <translation>Sie dürfen ihn öffnen: er gehört Ihnen.</translation>
    </message>
    <message>
        <source>you may open it: you are in its group %1.</source>
        <translation>Sie dürfen ihn öffnen: Sie sind in seiner Gruppe %1.</translation>
    </message>
    <message>
        <source>you may open it: every user may.</source>
        <translation>Sie dürfen ihn öffnen: jeder Benutzer darf es.</translation>
    </message>
    <message>
        <source>you may open it.</source>
        <translation>Sie dürfen ihn öffnen.</translation>
    </message>
    <message>
        <source>you may not open it: you were added to its group %1, but this login began before.</source>
        <translation>Sie dürfen ihn nicht öffnen: Sie wurden zu seiner Gruppe %1 hinzugefügt, aber diese Anmeldung begann vorher.</translation>
    </message>
    <message>
        <source>Log out and in again (a new terminal is not enough), or run newgrp %1 in this terminal.</source>
        <translation>Melden Sie sich ab und wieder an (ein neues Terminal genügt nicht), oder führen Sie in diesem Terminal newgrp %1 aus.</translation>
    </message>
    <message>
        <source>you may not open it: no group may open it.</source>
        <translation>Sie dürfen ihn nicht öffnen: keine Gruppe darf ihn öffnen.</translation>
    </message>
    <message>
        <source>you may not open it: it is for group %1.</source>
        <translation>Sie dürfen ihn nicht öffnen: er ist für die Gruppe %1.</translation>
    </message>
    <message>
        <source>sudo usermod -aG %1 $USER, then log out and in again</source>
        <translation>sudo usermod -aG %1 $USER, dann ab- und wieder anmelden</translation>
    </message>
    <message>
        <source>The udev rule gives access to the user logged in at this machine&apos;s seat, and you are not (over ssh, say): %1.</source>
        <translation>Die udev-Regel gibt dem Benutzer Zugriff, der am Platz dieses Rechners angemeldet ist, und das sind Sie nicht (etwa über ssh): %1.</translation>
    </message>
    <message>
        <source>Install the udev rule (see above), which gives access to the user at this machine&apos;s seat; or %1.</source>
        <translation>Installieren Sie die udev-Regel (siehe oben), die dem Benutzer am Platz dieses Rechners Zugriff gibt; oder %1.</translation>
    </message>
    <message>
        <source>The udev rule does not list %1: %2; or add the pair to a rule of your own in /etc/udev/rules.d.</source>
        <translation>Die udev-Regel führt %1 nicht auf: %2; oder tragen Sie das Paar in eine eigene Regel in /etc/udev/rules.d ein.</translation>
    </message>
    <message>
        <source>%1 The udev rule came after the adapter.</source>
        <translation>%1 Die udev-Regel kam nach dem Adapter.</translation>
    </message>
    <message>
        <source>Plug the adapter in again (or: sudo udevadm trigger --subsystem-match=tty).</source>
        <translation>Stecken Sie den Adapter wieder ein (oder: sudo udevadm trigger --subsystem-match=tty).</translation>
    </message>
    <message>
        <source>open in this window.</source>
        <translation>in diesem Fenster geöffnet.</translation>
    </message>
    <message>
        <source>also open in %1, with no lock: the far end of a pseudo-terminal may keep it so.</source>
        <translation>auch in %1 geöffnet, ohne Sperre: das andere Ende eines Pseudo-Terminals darf ihn so offen halten.</translation>
    </message>
    <message>
        <source>also open in %1, which holds no lock on it.</source>
        <translation>auch in %1 geöffnet, das ihn nicht sperrt.</translation>
    </message>
    <message>
        <source>If it is not meant to talk to the ESC, close it: what it reads and writes mixes with this program&apos;s.</source>
        <translation>Wenn es nicht mit dem ESC sprechen soll, schließen Sie es: was es liest und schreibt, vermischt sich mit dem dieses Programms.</translation>
    </message>
    <message>
        <source>no program of yours has it open (other users&apos; programs cannot be seen).</source>
        <translation>kein Programm von Ihnen hat ihn geöffnet (Programme anderer Benutzer sind nicht zu sehen).</translation>
    </message>
    <message>
        <source>no other program has it open.</source>
        <translation>kein anderes Programm hat ihn geöffnet.</translation>
    </message>
    <message>
        <source>ModemManager leaves it alone (ID_MM_DEVICE_IGNORE).</source>
        <translation>ModemManager lässt ihn in Ruhe (ID_MM_DEVICE_IGNORE).</translation>
    </message>
    <message>
        <source>ModemManager should leave it alone: the udev rule lists %1 (udev&apos;s database could not be read to be sure).</source>
        <translation>ModemManager sollte ihn in Ruhe lassen: die udev-Regel führt %1 auf (die Datenbank von udev war zur Gewissheit nicht lesbar).</translation>
    </message>
    <message>
        <source>ModemManager may open it and send AT commands to the ESC.</source>
        <translation>ModemManager kann ihn öffnen und AT-Befehle an den ESC senden.</translation>
    </message>
    <message>
        <source>The udev rule lists %1 but came after the adapter: plug the adapter in again.</source>
        <translation>Die udev-Regel führt %1 auf, kam aber nach dem Adapter: stecken Sie den Adapter wieder ein.</translation>
    </message>
    <message>
        <source>brltty claims adapters of this chip as braille displays: its serial port may vanish at once.</source>
        <translation>brltty beansprucht Adapter mit diesem Chip als Braillezeilen: seine serielle Schnittstelle kann sofort verschwinden.</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Remedy: %1</source>
        <translation>Abhilfe: %1</translation>
    </message>
    <message>
        <source>udev rule</source>
        <translation>udev-Regel</translation>
    </message>
    <message>
        <source>not installed: no %1 in /etc/udev/rules.d or %2.</source>
        <translation>nicht installiert: kein %1 in /etc/udev/rules.d oder %2.</translation>
    </message>
    <message>
        <source>Install the morvane-esc-config package, or copy %1 from the sources&apos; packaging folder to /etc/udev/rules.d, run sudo udevadm control --reload-rules and plug the adapter in again.</source>
        <translation>Installieren Sie das Paket morvane-esc-config, oder kopieren Sie %1 aus dem Ordner packaging der Quellen nach /etc/udev/rules.d, führen Sie sudo udevadm control --reload-rules aus und stecken Sie den Adapter wieder ein.</translation>
    </message>
    <message>
        <source>installed: %1, for %2 kinds of adapter; it gives the user at this machine&apos;s seat access (uaccess) and keeps ModemManager off them.</source>
        <translation>installiert: %1, für %2 Adapterarten; sie gibt dem Benutzer am Platz dieses Rechners Zugriff (uaccess) und hält ModemManager von ihnen fern.</translation>
    </message>
    <message>
        <source>does not run.</source>
        <translation>läuft nicht.</translation>
    </message>
    <message>
        <source>runs, %1: it probes serial adapters that are not marked ID_MM_DEVICE_IGNORE.</source>
        <translation>läuft, %1: es prüft serielle Adapter, die nicht mit ID_MM_DEVICE_IGNORE markiert sind.</translation>
    </message>
    <message>
        <source>runs, %1. %2</source>
        <translation>läuft, %1. %2</translation>
    </message>
    <message>
        <source>adapters</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>no USB serial adapter is plugged in.</source>
        <translation>kein USB-Seriell-Adapter ist eingesteckt.</translation>
    </message>
    <message>
        <source>Plug the adapter in, or name a port with --port or MORVANE_ESC_PORTS.</source>
        <translation>Stecken Sie den Adapter ein, oder nennen Sie einen Port mit --port oder MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>does not exist now.</source>
        <translation>existiert jetzt nicht.</translation>
    </message>
    <message>
        <source>Plug the adapter in, or check the path.</source>
        <translation>Stecken Sie den Adapter ein, oder prüfen Sie den Pfad.</translation>
    </message>
    <message>
        <source>cannot be looked at: permission denied.</source>
        <translation>kann nicht untersucht werden: Zugriff verweigert.</translation>
    </message>
    <message>
        <source>Name a path this user may follow.</source>
        <translation>Nennen Sie einen Pfad, dem dieser Benutzer folgen darf.</translation>
    </message>
    <message>
        <source>Name a serial device with --port or in MORVANE_ESC_PORTS.</source>
        <translation>Nennen Sie ein serielles Gerät mit --port oder in MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>cannot be followed: %1.</source>
        <translation>kann nicht verfolgt werden: %1.</translation>
    </message>
    <message>
        <source>Check the path and each symbolic link on it: it must lead to the device.</source>
        <translation>Prüfen Sie den Pfad und jede symbolische Verknüpfung darauf: Er muss zum Gerät führen.</translation>
    </message>
</context>
<context>
    <name>FileName</name>
    <message>
        <source>no file name is given</source>
        <translation>kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>Windows does not allow %1 in a file name: choose another name</source>
        <translation>Windows erlaubt %1 nicht in einem Dateinamen: wählen Sie einen anderen Namen</translation>
    </message>
    <message>
        <source>Windows drops a dot or a space at the end of a file name: choose another name</source>
        <translation>Windows entfernt einen Punkt oder ein Leerzeichen am Ende eines Dateinamens: wählen Sie einen anderen Namen</translation>
    </message>
    <message>
        <source>%1 is the name of a device on Windows, not of a file: choose another name</source>
        <translation>%1 ist unter Windows der Name eines Geräts, nicht einer Datei: wählen Sie einen anderen Namen</translation>
    </message>
</context>
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
    <name>PortChecks</name>
    <message>
        <source>this window</source>
        <translation>dieses Fenster</translation>
    </message>
</context>
<context>
    <name>PortHolders</name>
    <message>
        <source>%1, process %2</source>
        <translation>%1, Prozess %2</translation>
    </message>
    <message>
        <source>perhaps %1</source>
        <translation>vielleicht %1</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>in use by other programs</source>
        <translation>von anderen Programmen belegt</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>in use by other programs (%1)</source>
        <translation>von anderen Programmen belegt (%1)</translation>
    </message>
    <message>
        <source>in use by another program (%1)</source>
        <translation>von einem anderen Programm belegt (%1)</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Close them, then pick the port again.</source>
        <translation>Schließen Sie sie, dann wählen Sie den Port erneut.</translation>
    </message>
    <message>
        <source>Close them, then run the command again.</source>
        <translation>Schließen Sie sie, dann führen Sie den Befehl erneut aus.</translation>
    </message>
    <message>
        <source>Close it, then pick the port again.</source>
        <translation>Schließen Sie es, dann wählen Sie den Port erneut.</translation>
    </message>
    <message>
        <source>Close it, then run the command again.</source>
        <translation>Schließen Sie es, dann führen Sie den Befehl erneut aus.</translation>
    </message>
    <message>
        <source>Close the other programs, then pick the port again.</source>
        <translation>Schließen Sie die anderen Programme, dann wählen Sie den Port erneut.</translation>
    </message>
    <message>
        <source>Close the other programs, then run the command again.</source>
        <translation>Schließen Sie die anderen Programme, dann führen Sie den Befehl erneut aus.</translation>
    </message>
    <message>
        <source>Then pick the port again.</source>
        <translation>Dann wählen Sie den Port erneut.</translation>
    </message>
    <message>
        <source>Then run the command again.</source>
        <translation>Dann führen Sie den Befehl erneut aus.</translation>
    </message>
    <message>
        <source>ModemManager probes serial adapters for modems with AT commands, bytes an ESC may take for the start of a frame.</source>
        <translation>ModemManager sucht an seriellen Adaptern mit AT-Befehlen nach Modems, Bytes, die ein ESC für den Beginn eines Rahmens halten kann.</translation>
    </message>
    <message>
        <source>The udev rule of the %1 package keeps it off the usual adapters (plug the adapter in again once the package is installed); for another adapter, set %2 for it in a udev rule of your own.</source>
        <translation>Die udev-Regel des Pakets %1 hält ihn von den üblichen Adaptern fern (stecken Sie den Adapter wieder ein, sobald das Paket installiert ist); für einen anderen Adapter setzen Sie %2 in einer eigenen udev-Regel.</translation>
    </message>
    <message>
        <source>brltty, the braille display service, claims some USB serial adapters (%1 among them) as braille displays, and their serial port goes.</source>
        <translation>brltty, der Dienst für Braillezeilen, beansprucht manche USB-Seriell-Adapter (darunter %1) als Braillezeilen, und ihre serielle Schnittstelle verschwindet.</translation>
    </message>
    <message>
        <source>Where no braille display is used: %1 (or, to keep it, %2), then plug the adapter in again.</source>
        <translation>Wo keine Braillezeile benutzt wird: %1 (oder, um es zu behalten, %2), dann stecken Sie den Adapter wieder ein.</translation>
    </message>
    <message>
        <source>%1 came and went within a second: brltty (process %2) runs and claims adapters of this chip (%3) as braille displays, which takes their serial port away.</source>
        <translation>%1 kam und ging binnen einer Sekunde: brltty (Prozess %2) läuft und beansprucht Adapter mit diesem Chip (%3) als Braillezeilen, wodurch ihre serielle Schnittstelle verschwindet.</translation>
    </message>
    <message>
        <source>%1 came and went within a second at %4: brltty (process %2) runs and claims adapters of this chip (%3) as braille displays, which takes their serial port away.</source>
        <translation>%1 kam und ging um %4 binnen einer Sekunde: brltty (Prozess %2) läuft und beansprucht Adapter mit diesem Chip (%3) als Braillezeilen, wodurch ihre serielle Schnittstelle verschwindet.</translation>
    </message>
</context>
<context>
    <name>PortTable</name>
    <message>
        <source>No serial port was found.
Connect the adapter: it appears here by itself.</source>
        <translation>Keine serielle Schnittstelle gefunden.
Schließen Sie den Adapter an: er erscheint hier von selbst.</translation>
    </message>
    <message>
        <source>No serial port was found.
Connect the adapter, then start the program again.</source>
        <translation>Keine serielle Schnittstelle gefunden.
Schließen Sie den Adapter an, dann starten Sie das Programm neu.</translation>
    </message>
    <message>
        <source>The serial ports COM1 to COM16 could not be opened.</source>
        <translation>Die seriellen Schnittstellen COM1 bis COM16 konnten nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>These serial ports could not be opened:</source>
        <translation>Diese seriellen Schnittstellen konnten nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>A port may be in use by another program.</source>
        <translation>Ein Port ist vielleicht von einem anderen Programm belegt.</translation>
    </message>
    <message>
        <source>Your user may not open a port.</source>
        <translation>Ihr Benutzer darf keinen Port öffnen.</translation>
    </message>
    <message>
        <source>You may need to join the %1 group: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation>Vielleicht müssen Sie der Gruppe %1 beitreten: sudo usermod -aG %1 $USER, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>Then plug the adapter in again, or start the program again.</source>
        <translation>Dann stecken Sie den Adapter wieder ein oder starten das Programm neu.</translation>
    </message>
    <message>
        <source>Then start the program again.</source>
        <translation>Dann starten Sie das Programm neu.</translation>
    </message>
    <message>
        <source>does not exist now</source>
        <translation>existiert jetzt nicht</translation>
    </message>
    <message>
        <source>pseudo-terminal</source>
        <translation>Pseudo-Terminal</translation>
    </message>
    <message>
        <source>serial device</source>
        <translation>serielles Gerät</translation>
    </message>
    <message>
        <source>link to %1, %2</source>
        <translation>Verknüpfung auf %1, %2</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>serielle Schnittstelle</translation>
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
    <message>
        <source>The preset &quot;%1&quot; is saved as %2 already. Replace it, or keep it and save the new one as %3?</source>
        <translation>Die Voreinstellung „%1“ ist bereits als %2 gespeichert. Ersetzen, oder behalten und die neue als %3 speichern?</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>&amp;Keep both</source>
        <translation>&amp;Beide behalten</translation>
    </message>
    <message>
        <source>The theme could not be remembered for the next start: %1 cannot be written. It holds until the window closes.</source>
        <translation>Das Farbschema kann nicht für den nächsten Start gespeichert werden: %1 lässt sich nicht schreiben. Es gilt, bis das Fenster geschlossen wird.</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>ein zeichenorientiertes Gerät</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ein Blockgerät</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>not a file but %1</source>
        <translation>keine Datei, sondern %1</translation>
    </message>
    <message>
        <source>not a file but %1; left as it is</source>
        <translation>keine Datei, sondern %1; bleibt unverändert</translation>
    </message>
    <message>
        <source>another file took its name</source>
        <translation>eine andere Datei hat ihren Namen übernommen</translation>
    </message>
    <message>
        <source>the file was deleted</source>
        <translation>die Datei wurde gelöscht</translation>
    </message>
    <message>
        <source>the file was moved</source>
        <translation>die Datei wurde verschoben</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>nicht geöffnet</translation>
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
    <message>
        <source>value byte %1</source>
        <translation>Wertbyte %1</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Connect an ESC first: its five settings are read when it connects, and they would replace settings loaded before.</source>
        <translation>Verbinden Sie zuerst einen ESC: Seine fünf Einstellungen werden beim Verbinden gelesen und würden zuvor geladene Einstellungen ersetzen.</translation>
    </message>
    <message>
        <source>The ESC was lost or another connected while the dialog was open: nothing was written. Compare again.</source>
        <translation>Der ESC ging verloren oder ein anderer wurde verbunden, während der Dialog offen war: Nichts wurde geschrieben. Vergleichen Sie erneut.</translation>
    </message>
    <message>
        <source>unknown setting &quot;%1&quot;; the settings are %2</source>
        <translation>unbekannte Einstellung „%1“; die Einstellungen sind %2</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 ist doppelt angegeben</translation>
    </message>
    <message>
        <source>%1: the value must be text; allowed: %2</source>
        <translation>%1: der Wert muss Text sein; erlaubt: %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not allowed; allowed: %3</source>
        <translation>%1: „%2“ ist nicht erlaubt; erlaubt: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>„%1“ ist doppelt angegeben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice in &quot;%2&quot;</source>
        <translation>„%1“ ist in „%2“ doppelt angegeben</translation>
    </message>
    <message>
        <source>refused: larger than 64 KiB, which no settings file is</source>
        <translation>abgelehnt: größer als 64 KiB, was keine Einstellungsdatei ist</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2</source>
        <translation>kein JSON: %1 bei Byte %2</translation>
    </message>
    <message>
        <source>not a settings file: the JSON is not an object</source>
        <translation>keine Einstellungsdatei: das JSON ist kein Objekt</translation>
    </message>
    <message>
        <source>not a settings file: &quot;%1&quot; must be &quot;%2&quot;</source>
        <translation>keine Einstellungsdatei: „%1“ muss „%2“ sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a number</source>
        <translation>„%1“ muss eine Zahl sein</translation>
    </message>
    <message>
        <source>version %1 is not supported; this program reads version %2</source>
        <translation>Version %1 wird nicht unterstützt; dieses Programm liest Version %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an object</source>
        <translation>„%1“ muss ein Objekt sein</translation>
    </message>
    <message>
        <source>cannot read: %1</source>
        <translation>nicht lesbar: %1</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>nicht schreibbar: %1</translation>
    </message>
    <message>
        <source>cannot make the folder</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>Stand</name>
    <message>
        <source>No thrust reading yet: nothing to tare.</source>
        <translation>Noch kein Schubwert: nichts zu tarieren.</translation>
    </message>
    <message>
        <source>The known weight must be above 0 g.</source>
        <translation>Das bekannte Gewicht muss über 0 g liegen.</translation>
    </message>
    <message>
        <source>No thrust reading yet: nothing to calibrate.</source>
        <translation>Noch kein Schubwert: nichts zu kalibrieren.</translation>
    </message>
    <message>
        <source>The stand reads no weight: tare it empty, then put the known weight on it.</source>
        <translation>Der Prüfstand misst kein Gewicht: leer tarieren, dann das bekannte Gewicht auflegen.</translation>
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
    <message>
        <source>Steps must lie above 25, where the speed is polled: from and to start at %1.</source>
        <translation>Die Stufen müssen über 25 liegen, wo die Drehzahl abgefragt wird: Gas von und Gas bis beginnen bei %1.</translation>
    </message>
    <message>
        <source>The maximum must lie from %1 to %2.</source>
        <translation>Das Maximum muss zwischen %1 und %2 liegen.</translation>
    </message>
    <message>
        <source>From must not lie above to.</source>
        <translation>Gas von darf nicht über Gas bis liegen.</translation>
    </message>
    <message>
        <source>To (%1) lies above the maximum (%2).</source>
        <translation>Gas bis (%1) liegt über dem Maximum (%2).</translation>
    </message>
    <message>
        <source>The step must be at least 1.</source>
        <translation>Der Schritt muss mindestens 1 sein.</translation>
    </message>
    <message>
        <source>Each step needs at least one sample.</source>
        <translation>Jede Stufe braucht mindestens einen Messwert.</translation>
    </message>
    <message>
        <source>The settling time cannot be negative.</source>
        <translation>Die Wartezeit kann nicht negativ sein.</translation>
    </message>
    <message>
        <source>A sweep is already running.</source>
        <translation>Ein Durchlauf läuft bereits.</translation>
    </message>
    <message>
        <source>No ESC connected: a sweep starts only while the status reads Connected.</source>
        <translation>Kein ESC verbunden: ein Durchlauf beginnt nur, solange der Status Verbunden zeigt.</translation>
    </message>
    <message>
        <source>Stopped (%1) after %2 of 1 step; throttle 0.</source>
        <translation>Angehalten (%1) nach %2 von 1 Stufe; Gas 0.</translation>
    </message>
    <message>
        <source>Done: 1 step measured; throttle 0.</source>
        <translation>Fertig: 1 Stufe gemessen; Gas 0.</translation>
    </message>
    <message>
        <source>thrust limit passed</source>
        <translation>Schubgrenze überschritten</translation>
    </message>
    <message>
        <source>current limit passed</source>
        <translation>Stromgrenze überschritten</translation>
    </message>
    <message>
        <source>The thrust stand sends no readings: check its port and baud rate, or close it.</source>
        <translation>Der Schubprüfstand sendet keine Werte: Port und Baudrate prüfen oder ihn schließen.</translation>
    </message>
    <message>
        <source>thrust stand silent for over a second</source>
        <translation>Schubprüfstand über eine Sekunde still</translation>
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
        <source>Whether and where the figures are recorded.</source>
        <translation>Ob und wohin die Werte aufgezeichnet werden.</translation>
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
    <message>
        <source>Saves the five settings to a file; also Ctrl+S.</source>
        <translation>Speichert die fünf Einstellungen in einer Datei; auch Strg+S.</translation>
    </message>
    <message>
        <source>Loads the settings of a file and writes them to the connected ESC; also Ctrl+O.</source>
        <translation>Lädt die Einstellungen einer Datei und schreibt sie in den verbundenen ESC; auch Strg+O.</translation>
    </message>
    <message>
        <source>The ESC&apos;s five settings; a pick is written to the connected ESC.</source>
        <translation>Die fünf Einstellungen des ESC; eine Auswahl wird in den verbundenen ESC geschrieben.</translation>
    </message>
    <message>
        <source>The throttle and the motor&apos;s speed.</source>
        <translation>Das Gas und die Drehzahl des Motors.</translation>
    </message>
    <message>
        <source>The throttle of the sweep&apos;s first step.</source>
        <translation>Das Gas der ersten Stufe des Durchlaufs.</translation>
    </message>
    <message>
        <source>The throttle of the sweep&apos;s last step, never above the maximum.</source>
        <translation>Das Gas der letzten Stufe des Durchlaufs, nie über dem Maximum.</translation>
    </message>
    <message>
        <source>How much the throttle rises from one step to the next.</source>
        <translation>Um wie viel das Gas von einer Stufe zur nächsten steigt.</translation>
    </message>
    <message>
        <source>Seconds the speed is left to settle at each step before it is sampled.</source>
        <translation>Sekunden, die sich die Drehzahl auf jeder Stufe einpendeln darf, bevor sie gemessen wird.</translation>
    </message>
    <message>
        <source>How many speed replies are averaged at each step.</source>
        <translation>Wie viele Drehzahlantworten auf jeder Stufe gemittelt werden.</translation>
    </message>
    <message>
        <source>%1: %2, firmware %3</source>
        <translation>%1: %2, Firmware %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2. Motor stopped.</source>
        <translation>%1: %2. Motor gestoppt.</translation>
    </message>
    <message>
        <source>Motor stopped (Escape).</source>
        <translation>Motor gestoppt (Esc).</translation>
    </message>
    <message>
        <source>the ESC stopped answering</source>
        <translation>der ESC antwortet nicht mehr</translation>
    </message>
    <message>
        <source>its port failed</source>
        <translation>sein Port ist ausgefallen</translation>
    </message>
    <message>
        <source>another port was chosen</source>
        <translation>ein anderer Port wurde gewählt</translation>
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
    <message>
        <source>The ESC differs from %1 in 1 setting.</source>
        <translation>Der ESC weicht in 1 Einstellung von %1 ab.</translation>
    </message>
    <message numerus="yes">
        <source>The ESC differs from %1 in %n settings.</source>
        <translation>
            <numerusform>Der ESC weicht in %n Einstellung von %1 ab.</numerusform>
            <numerusform>Der ESC weicht in %n Einstellungen von %1 ab.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>morvane::MotorReport</name>
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
        <source>Motor test report</source>
        <translation>Motortest-Bericht</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
    </message>
    <message>
        <source>ESC: %1, firmware %2</source>
        <translation>ESC: %1, Firmware %2</translation>
    </message>
    <message>
        <source>Settings: %1</source>
        <translation>Einstellungen: %1</translation>
    </message>
    <message>
        <source>Thrust stand: none</source>
        <translation>Schubprüfstand: keiner</translation>
    </message>
    <message>
        <source>Thrust stand: %1</source>
        <translation>Schubprüfstand: %1</translation>
    </message>
    <message>
        <source>Sweep: %1</source>
        <translation>Durchlauf: %1</translation>
    </message>
    <message>
        <source>Thrust (g)</source>
        <translation>Schub (g)</translation>
    </message>
    <message>
        <source>Efficiency (g/W)</source>
        <translation>Wirkungsgrad (g/W)</translation>
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
    <message>
        <source>thrust (g, outer axis)</source>
        <translation>Schub (g, äußere Achse)</translation>
    </message>
    <message>
        <source>g</source>
        <translation>g</translation>
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
    <message>
        <source>Sweep started: %1</source>
        <translation>Durchlauf gestartet: %1</translation>
    </message>
    <message>
        <source>Step %1: throttle %2, %3 r/min</source>
        <translation>Stufe %1: Gas %2, %3 U/min</translation>
    </message>
    <message>
        <source>Sweep ended. %1</source>
        <translation>Durchlauf beendet. %1</translation>
    </message>
    <message>
        <source>Recording to %1: 1 row</source>
        <translation>Aufzeichnung in %1: 1 Zeile</translation>
    </message>
    <message>
        <source>Recorded 1 row to %1</source>
        <translation>1 Zeile in %1 aufgezeichnet</translation>
    </message>
    <message>
        <source>Sa&amp;ve report…</source>
        <translation>Beric&amp;ht speichern…</translation>
    </message>
    <message>
        <source>One page to keep, as PDF or PNG: the table, thrust and g/W against throttle, the ESC and its settings, the stand&apos;s calibration and the time.</source>
        <translation>Eine Seite zum Aufheben, als PDF oder PNG: die Tabelle, Schub und g/W über dem Gas, der ESC und seine Einstellungen, die Kalibrierung des Prüfstands und die Zeit.</translation>
    </message>
    <message>
        <source>Thrust g</source>
        <translation>Schub g</translation>
    </message>
    <message>
        <source>SD g</source>
        <translation>SA g</translation>
    </message>
    <message>
        <source>Current A</source>
        <translation>Strom A</translation>
    </message>
    <message>
        <source>Voltage V</source>
        <translation>Spannung V</translation>
    </message>
    <message>
        <source>Power W</source>
        <translation>Leistung W</translation>
    </message>
    <message>
        <source>g/W</source>
        <translation>g/W</translation>
    </message>
    <message>
        <source>%1 g, %2 g/W</source>
        <translation>%1 g, %2 g/W</translation>
    </message>
    <message>
        <source>%1 g</source>
        <translation>%1 g</translation>
    </message>
    <message>
        <source>Cutoff Voltage</source>
        <translation>Abschaltspannung</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Bremse</translation>
    </message>
    <message>
        <source>Timing Advance</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Cutoff Type</source>
        <translation>Abschaltart</translation>
    </message>
    <message>
        <source>Rotation Direction</source>
        <translation>Drehrichtung</translation>
    </message>
    <message>
        <source>Report saved to %1.</source>
        <translation>Bericht in %1 gespeichert.</translation>
    </message>
    <message>
        <source>The report could not be saved to %1: %2</source>
        <translation>Der Bericht konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Save the sweep&apos;s report</source>
        <translation>Bericht des Durchlaufs speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;PNG pictures (*.png)</source>
        <translation>PDF-Dateien (*.pdf);;PNG-Bilder (*.png)</translation>
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
<context>
    <name>morvane::ThrustStandPanel</name>
    <message>
        <source>By header, else thrust, current, voltage</source>
        <translation>Nach Kopfzeile, sonst Schub, Strom, Spannung</translation>
    </message>
    <message>
        <source>thrust, current, voltage</source>
        <translation>Schub, Strom, Spannung</translation>
    </message>
    <message>
        <source>thrust, voltage, current</source>
        <translation>Schub, Spannung, Strom</translation>
    </message>
    <message>
        <source>current, voltage, thrust</source>
        <translation>Strom, Spannung, Schub</translation>
    </message>
    <message>
        <source>voltage, current, thrust</source>
        <translation>Spannung, Strom, Schub</translation>
    </message>
    <message>
        <source>time (unused), thrust, current, voltage</source>
        <translation>Zeit (unbenutzt), Schub, Strom, Spannung</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Thrust stand</source>
        <translation>Schubprüfstand</translation>
    </message>
    <message>
        <source>The stand&apos;s serial port: any port but the ESC&apos;s.</source>
        <translation>Der serielle Port des Prüfstands: jeder außer dem des ESC.</translation>
    </message>
    <message>
        <source>Op&amp;en</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Thrust stand reading</source>
        <translation>Messwert des Schubprüfstands</translation>
    </message>
    <message>
        <source>T&amp;are</source>
        <translation>T&amp;arieren</translation>
    </message>
    <message>
        <source>Zeroes the thrust; only while the motor stands still.</source>
        <translation>Setzt den Schub auf null; nur bei stehendem Motor.</translation>
    </message>
    <message>
        <source>&amp;Calibrate…</source>
        <translation>&amp;Kalibrieren…</translation>
    </message>
    <message>
        <source>Put a known weight on the tared stand and enter it: the scale is remembered for this port.</source>
        <translation>Ein bekanntes Gewicht auf den tarierten Prüfstand legen und eingeben: der Maßstab wird für diesen Port gemerkt.</translation>
    </message>
    <message>
        <source>Which column of a line of numbers is what.</source>
        <translation>Welche Spalte einer Zahlenzeile was enthält.</translation>
    </message>
    <message>
        <source>A thrust reading above this sets the throttle to 0 at once.</source>
        <translation>Ein Schubwert darüber setzt das Gas sofort auf 0.</translation>
    </message>
    <message>
        <source>A current reading above this sets the throttle to 0 at once.</source>
        <translation>Ein Stromwert darüber setzt das Gas sofort auf 0.</translation>
    </message>
    <message>
        <source>Po&amp;rt:</source>
        <translation>Po&amp;rt:</translation>
    </message>
    <message>
        <source>&amp;Baud:</source>
        <translation>&amp;Baud:</translation>
    </message>
    <message>
        <source>Colum&amp;ns:</source>
        <translation>Spa&amp;lten:</translation>
    </message>
    <message>
        <source>Thrust &amp;limit:</source>
        <translation>Schub&amp;grenze:</translation>
    </message>
    <message>
        <source>C&amp;urrent limit:</source>
        <translation>Strom&amp;grenze:</translation>
    </message>
    <message>
        <source>COM%1 is the ESC&apos;s port.</source>
        <translation>COM%1 ist der Port des ESC.</translation>
    </message>
    <message>
        <source>COM%1 has no device.</source>
        <translation>COM%1 hat kein Gerät.</translation>
    </message>
    <message>
        <source>COM%1 cannot be opened: %2</source>
        <translation>COM%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>The stand&apos;s port failed.</source>
        <translation>Der Port des Prüfstands ist ausgefallen.</translation>
    </message>
    <message>
        <source>Clos&amp;e</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>No stand open.</source>
        <translation>Kein Prüfstand geöffnet.</translation>
    </message>
    <message>
        <source>No good line for over a second (%1 unreadable).</source>
        <translation>Über eine Sekunde keine gültige Zeile (%1 unlesbar).</translation>
    </message>
    <message>
        <source>No reading yet.</source>
        <translation>Noch kein Messwert.</translation>
    </message>
    <message>
        <source>%1 g</source>
        <translation>%1 g</translation>
    </message>
    <message>
        <source>%1 A</source>
        <translation>%1 A</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 W</source>
        <translation>%1 W</translation>
    </message>
    <message>
        <source>%1 g/W</source>
        <translation>%1 g/W</translation>
    </message>
    <message>
        <source>Calibrate the thrust stand</source>
        <translation>Schubprüfstand kalibrieren</translation>
    </message>
    <message>
        <source>The known weight now on the tared stand, in g:</source>
        <translation>Das bekannte Gewicht auf dem tarierten Prüfstand, in g:</translation>
    </message>
    <message>
        <source>COM%1 (%2) at %3 baud; tare %4, scale %5</source>
        <translation>COM%1 (%2) mit %3 Baud; Tara %4, Maßstab %5</translation>
    </message>
    <message>
        <source>The speed the stand&apos;s board prints at, in baud.</source>
        <translation>Die Geschwindigkeit, mit der die Platine des Prüfstands sendet, in Baud.</translation>
    </message>
    <message>
        <source>Opens the stand&apos;s port and reads it; pressed again, closes it.</source>
        <translation>Öffnet den Port des Prüfstands und liest ihn; erneut gedrückt, schließt ihn.</translation>
    </message>
</context>
</TS>
