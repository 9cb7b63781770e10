<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>FormView</name>
    <message>
        <source>&amp;Save to file</source>
        <translation>&amp;Guardar en archivo</translation>
    </message>
    <message>
        <source>&amp;Load from file</source>
        <translation>Ca&amp;rgar de archivo</translation>
    </message>
    <message>
        <source>R&amp;estore Default</source>
        <translation>R&amp;establecer</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source> &amp;Run</source>
        <translation> &amp;Marcha</translation>
    </message>
    <message>
        <source>Unconnected</source>
        <translation>Sin conexión</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Hardware:</source>
        <translation>Hardware:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Estado:</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>Motor Magnet Poles:</source>
        <translation>Polos del motor:</translation>
    </message>
    <message>
        <source>Rev:</source>
        <translation>Velocidad:</translation>
    </message>
    <message>
        <source>r/min</source>
        <translation>r/min</translation>
    </message>
    <message>
        <source>Throttle:</source>
        <translation>Acelerador:</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Marcha</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Throttle. Esc stops the motor at once, from any window of the program; Home goes to 0.</source>
        <translation>Acelerador. Esc detiene el motor al instante, desde cualquier ventana del programa; Inicio lo pone a 0.</translation>
    </message>
    <message>
        <source>No ESC connected: the throttle works once an ESC has been found.</source>
        <translation>Ningún ESC conectado: el acelerador funciona en cuanto se encuentra un ESC.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>permission denied. Your user may not open it: ask for access to the device, then log out and in again.</source>
        <translation>permiso denegado. Su usuario no puede abrirlo: pida acceso al dispositivo y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>permission denied. Your user may not open it: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation>permiso denegado. Su usuario no puede abrirlo: sudo usermod -aG %1 $USER y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>gone. Plug the adapter in again.</source>
        <translation>desaparecido. Vuelva a conectar el adaptador.</translation>
    </message>
    <message>
        <source>gone (%1). Plug the adapter in again.</source>
        <translation>desaparecido (%1). Vuelva a conectar el adaptador.</translation>
    </message>
    <message>
        <source>not a device, not a serial port. Check MORVANE_ESC_PORTS.</source>
        <translation>no es un dispositivo, no es un puerto serie. Revise MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>%1, not a serial port. Check MORVANE_ESC_PORTS.</source>
        <translation>%1, no es un puerto serie. Revise MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>could not be opened.</source>
        <translation>no se pudo abrir.</translation>
    </message>
    <message>
        <source>could not be opened: %1.</source>
        <translation>no se pudo abrir: %1.</translation>
    </message>
    <message>
        <source>No port is open: pick one in the Port list.</source>
        <translation>Ningún puerto abierto: elija uno en la lista Puerto.</translation>
    </message>
    <message>
        <source>No answer from an ESC on %1 since %2. Check that the ESC is powered, that its signal and ground wires are connected and that the adapter is on the ESC&apos;s programming connection.</source>
        <translation>Ninguna respuesta de un ESC en %1 desde las %2. Compruebe que el ESC tiene alimentación, que sus cables de señal y masa están conectados y que el adaptador está en la conexión de programación del ESC.</translation>
    </message>
    <message>
        <source>Connected since %1 on %2.</source>
        <translation>Conectado desde las %1 en %2.</translation>
    </message>
    <message>
        <source>The adapter of %1 was unplugged at %2. The port opens again by itself when it is back.</source>
        <translation>El adaptador de %1 se desconectó a las %2. El puerto se vuelve a abrir solo cuando vuelva.</translation>
    </message>
    <message>
        <source>Could not open %1</source>
        <translation>No se pudo abrir %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Check ports</source>
        <translation>Comprobar puertos</translation>
    </message>
    <message>
        <source>Check ports…</source>
        <translation>Comprobar puertos…</translation>
    </message>
    <message>
        <source>Settings files (*.json)</source>
        <translation>Archivos de ajustes (*.json)</translation>
    </message>
    <message>
        <source>Save settings to file</source>
        <translation>Guardar ajustes en archivo</translation>
    </message>
    <message>
        <source>Load settings from file</source>
        <translation>Cargar ajustes de archivo</translation>
    </message>
    <message>
        <source>Settings file</source>
        <translation>Archivo de ajustes</translation>
    </message>
    <message>
        <source>Save settings to file…</source>
        <translation>Guardar ajustes en archivo…</translation>
    </message>
    <message>
        <source>Load settings from file…</source>
        <translation>Cargar ajustes de archivo…</translation>
    </message>
    <message>
        <source>Right-click for the file commands: Ctrl+S saves these settings to a file, Ctrl+O loads a file into the connected ESC.</source>
        <translation>Clic derecho para los comandos de archivo: Ctrl+S guarda estos ajustes en un archivo, Ctrl+O carga un archivo en el ESC conectado.</translation>
    </message>
    <message>
        <source>Save support log</source>
        <translation>Guardar registro de soporte</translation>
    </message>
    <message>
        <source>Support logs (*.log *.txt)</source>
        <translation>Registros de soporte (*.log *.txt)</translation>
    </message>
    <message>
        <source>Support log</source>
        <translation>Registro de soporte</translation>
    </message>
    <message>
        <source>Save support log…</source>
        <translation>Guardar registro de soporte…</translation>
    </message>
    <message>
        <source>The support log could not be saved to %1: %2</source>
        <translation>No se pudo guardar el registro de soporte en %1: %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Cutoff Voltage</source>
        <translation>Voltaje de corte</translation>
    </message>
    <message>
        <source>Cutoff Type</source>
        <translation>Tipo de corte</translation>
    </message>
    <message>
        <source>Hard Cutoff</source>
        <translation>Corte brusco</translation>
    </message>
    <message>
        <source>Soft Cutoff</source>
        <translation>Corte suave</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Freno</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Timing Advance</source>
        <translation>Avance de timing</translation>
    </message>
    <message>
        <source>Rotation Direction</source>
        <translation>Sentido de giro</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Inverso</translation>
    </message>
</context>
<context>
    <name>Sweep</name>
    <message>
        <source>connection lost</source>
        <translation>conexión perdida</translation>
    </message>
    <message>
        <source>Config tab chosen</source>
        <translation>pestaña Configuración elegida</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>motor test closed</source>
        <translation>prueba del motor cerrada</translation>
    </message>
    <message>
        <source>throttle moved outside the sweep</source>
        <translation>acelerador movido fuera del barrido</translation>
    </message>
    <message>
        <source>Stopped (%1) after %2 of %3 steps; throttle 0.</source>
        <translation>Detenido (%1) tras %2 de %3 pasos; acelerador 0.</translation>
    </message>
    <message>
        <source>Done: %1 steps measured; throttle 0.</source>
        <translation>Hecho: %1 pasos medidos; acelerador 0.</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, rising</source>
        <translation>Paso %1 de %2: acelerador %3, subiendo</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, settling</source>
        <translation>Paso %1 de %2: acelerador %3, estabilizando</translation>
    </message>
    <message>
        <source>Step %1 of %2: throttle %3, sample %4 of %5</source>
        <translation>Paso %1 de %2: acelerador %3, muestra %4 de %5</translation>
    </message>
    <message>
        <source>Stop button</source>
        <translation>botón Detener</translation>
    </message>
    <message>
        <source>motor test window closed</source>
        <translation>ventana de prueba del motor cerrada</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestCommands</name>
    <message>
        <source>&amp;Motor test…</source>
        <translation>&amp;Prueba del motor…</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestPlot</name>
    <message>
        <source>r/min, average (as the Run panel)</source>
        <translation>r/min, media (como el panel Marcha)</translation>
    </message>
    <message>
        <source>r/min, each reply</source>
        <translation>r/min, cada respuesta</translation>
    </message>
    <message>
        <source>throttle (right axis, 0 to 200)</source>
        <translation>acelerador (eje derecho, 0 a 200)</translation>
    </message>
    <message>
        <source>r/min</source>
        <translation>r/min</translation>
    </message>
    <message>
        <source>throttle</source>
        <translation>acelerador</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>tiempo (s)</translation>
    </message>
</context>
<context>
    <name>morvane::MotorTestWindow</name>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Writes one CSV row per speed reply (t_s, throttle, rpm_raw, rpm_avg, poles) until Stop recording.</source>
        <translation>Escribe una fila CSV por cada respuesta de velocidad (t_s, throttle, rpm_raw, rpm_avg, poles) hasta «Detener grabación».</translation>
    </message>
    <message>
        <source>Stepped sweep</source>
        <translation>Barrido por pasos</translation>
    </message>
    <message>
        <source>&amp;From throttle:</source>
        <translation>Acelerador &amp;inicial:</translation>
    </message>
    <message>
        <source>&amp;To throttle:</source>
        <translation>Acelerador &amp;final:</translation>
    </message>
    <message>
        <source>Ste&amp;p:</source>
        <translation>&amp;Paso:</translation>
    </message>
    <message>
        <source>Settling &amp;time:</source>
        <translation>&amp;Tiempo de espera:</translation>
    </message>
    <message>
        <source>Sa&amp;mples per step:</source>
        <translation>&amp;Muestras por paso:</translation>
    </message>
    <message>
        <source>Ma&amp;ximum throttle:</source>
        <translation>Acelerador má&amp;ximo:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>Inici&amp;ar</translation>
    </message>
    <message>
        <source>St&amp;op</source>
        <translation>Dete&amp;ner</translation>
    </message>
    <message>
        <source>Ends the sweep and sets the throttle to 0 (so does Esc).</source>
        <translation>Termina el barrido y pone el acelerador a 0 (igual que Esc).</translation>
    </message>
    <message>
        <source>Save &amp;table…</source>
        <translation>Guardar &amp;tabla…</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>Acelerador</translation>
    </message>
    <message>
        <source>Mean r/min</source>
        <translation>Media r/min</translation>
    </message>
    <message>
        <source>SD r/min</source>
        <translation>DE r/min</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Muestras</translation>
    </message>
    <message>
        <source>%1 r/min average    %2 r/min this reply    throttle %3</source>
        <translation>%1 r/min media    %2 r/min esta respuesta    acelerador %3</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Detener grabación</translation>
    </message>
    <message>
        <source>Recording to %1: %2 rows</source>
        <translation>Grabando en %1: %2 filas</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Grabación detenida: %1</translation>
    </message>
    <message>
        <source>Recorded %1 rows to %2</source>
        <translation>%1 filas grabadas en %2</translation>
    </message>
    <message>
        <source>Not recording</source>
        <translation>Sin grabar</translation>
    </message>
    <message>
        <source>%1 cannot be made: %2</source>
        <translation>No se puede crear %1: %2</translation>
    </message>
    <message>
        <source>Record to a CSV file</source>
        <translation>Grabar en un archivo CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Steps above 25 only: below it the speed is not polled.</source>
        <translation>Solo pasos por encima de 25: por debajo no se consulta la velocidad.</translation>
    </message>
    <message>
        <source>Table saved to %1.</source>
        <translation>Tabla guardada en %1.</translation>
    </message>
    <message>
        <source>The table could not be saved to %1: %2</source>
        <translation>No se pudo guardar la tabla en %1: %2</translation>
    </message>
    <message>
        <source>Save the sweep&apos;s table</source>
        <translation>Guardar la tabla del barrido</translation>
    </message>
    <message>
        <source>Motor test %1 Morvane ESC Config</source>
        <translation>Prueba del motor %1 Morvane ESC Config</translation>
    </message>
</context>
</TS>
