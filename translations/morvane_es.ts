<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>DeviceTrouble</name>
    <message>
        <source>a regular file</source>
        <translation>un archivo normal</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>una tubería con nombre (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un dispositivo de bloques</translation>
    </message>
    <message>
        <source>a device of another kind</source>
        <translation>un dispositivo de otro tipo</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>not a device, not a serial port</source>
        <translation>no es un dispositivo, no es un puerto serie</translation>
    </message>
    <message>
        <source>%1, not a serial port</source>
        <translation>%1, no es un puerto serie</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>desaparecido</translation>
    </message>
    <message>
        <source>gone (%1)</source>
        <translation>desaparecido (%1)</translation>
    </message>
    <message>
        <source>could not be opened</source>
        <translation>no se pudo abrir</translation>
    </message>
    <message>
        <source>could not be opened: %1</source>
        <translation>no se pudo abrir: %1</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (proceso %2)</translation>
    </message>
    <message>
        <source>a pseudo-terminal</source>
        <translation>un pseudoterminal</translation>
    </message>
    <message>
        <source>USB serial adapter %1</source>
        <translation>adaptador serie USB %1</translation>
    </message>
    <message>
        <source>USB serial adapter %1 (%2)</source>
        <translation>adaptador serie USB %1 (%2)</translation>
    </message>
    <message>
        <source>%1, no driver bound</source>
        <translation>%1, sin controlador asociado</translation>
    </message>
    <message>
        <source>%1, driver %2</source>
        <translation>%1, controlador %2</translation>
    </message>
    <message>
        <source>a serial device, not on USB</source>
        <translation>un dispositivo serie, no USB</translation>
    </message>
    <message>
        <source>you may open it: you are root.</source>
        <translation>puede abrirlo: es usted root.</translation>
    </message>
    <message>
        <source>you may open it: an ACL gives it to you as the user at this machine&apos;s seat (uaccess).</source>
        <translation>puede abrirlo: una ACL se lo concede como usuario sentado ante esta máquina (uaccess).</translation>
    </message>
    <message>
        <source>you may open it: it is yours.</source>
        <translation>puede abrirlo: es suyo.</translation>
    </message>
    <message>
        <source>you may open it: you are in its group %1.</source>
        <translation>puede abrirlo: está usted en su grupo %1.</translation>
    </message>
    <message>
        <source>you may open it: every user may.</source>
        <translation>puede abrirlo: cualquier usuario puede.</translation>
    </message>
    <message>
        <source>you may open it.</source>
        <translation>puede abrirlo.</translation>
    </message>
    <message>
        <source>you may not open it: you were added to its group %1, but this login began before.</source>
        <translation>no puede abrirlo: se le añadió a su grupo %1, pero esta sesión empezó antes.</translation>
    </message>
    <message>
        <source>Log out and in again (a new terminal is not enough), or run newgrp %1 in this terminal.</source>
        <translation>Cierre la sesión y vuelva a entrar (no basta con un terminal nuevo), o ejecute newgrp %1 en este terminal.</translation>
    </message>
    <message>
        <source>you may not open it: no group may open it.</source>
        <translation>no puede abrirlo: ningún grupo puede abrirlo.</translation>
    </message>
    <message>
        <source>you may not open it: it is for group %1.</source>
        <translation>no puede abrirlo: es para el grupo %1.</translation>
    </message>
    <message>
        <source>sudo usermod -aG %1 $USER, then log out and in again</source>
        <translation>sudo usermod -aG %1 $USER y vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>The udev rule gives access to the user logged in at this machine&apos;s seat, and you are not (over ssh, say): %1.</source>
        <translation>La regla udev da acceso al usuario que ha iniciado sesión ante esta máquina, y usted no lo es (por ejemplo, por ssh): %1.</translation>
    </message>
    <message>
        <source>Install the udev rule (see above), which gives access to the user at this machine&apos;s seat; or %1.</source>
        <translation>Instale la regla udev (vea arriba), que da acceso al usuario sentado ante esta máquina; o bien %1.</translation>
    </message>
    <message>
        <source>The udev rule does not list %1: %2; or add the pair to a rule of your own in /etc/udev/rules.d.</source>
        <translation>La regla udev no incluye %1: %2; o añada el par a una regla propia en /etc/udev/rules.d.</translation>
    </message>
    <message>
        <source>%1 The udev rule came after the adapter.</source>
        <translation>%1 La regla udev llegó después que el adaptador.</translation>
    </message>
    <message>
        <source>Plug the adapter in again (or: sudo udevadm trigger --subsystem-match=tty).</source>
        <translation>Vuelva a conectar el adaptador (o: sudo udevadm trigger --subsystem-match=tty).</translation>
    </message>
    <message>
        <source>open in this window.</source>
        <translation>abierto en esta ventana.</translation>
    </message>
    <message>
        <source>also open in %1, with no lock: the far end of a pseudo-terminal may keep it so.</source>
        <translation>también abierto en %1, sin bloqueo: el otro extremo de un pseudoterminal puede tenerlo así.</translation>
    </message>
    <message>
        <source>also open in %1, which holds no lock on it.</source>
        <translation>también abierto en %1, que no lo bloquea.</translation>
    </message>
    <message>
        <source>If it is not meant to talk to the ESC, close it: what it reads and writes mixes with this program&apos;s.</source>
        <translation>Si no debe hablar con el ESC, ciérrelo: lo que lee y escribe se mezcla con lo de este programa.</translation>
    </message>
    <message>
        <source>no program of yours has it open (other users&apos; programs cannot be seen).</source>
        <translation>ningún programa suyo lo tiene abierto (los programas de otros usuarios no se ven).</translation>
    </message>
    <message>
        <source>no other program has it open.</source>
        <translation>ningún otro programa lo tiene abierto.</translation>
    </message>
    <message>
        <source>ModemManager leaves it alone (ID_MM_DEVICE_IGNORE).</source>
        <translation>ModemManager lo deja en paz (ID_MM_DEVICE_IGNORE).</translation>
    </message>
    <message>
        <source>ModemManager should leave it alone: the udev rule lists %1 (udev&apos;s database could not be read to be sure).</source>
        <translation>ModemManager debería dejarlo en paz: la regla udev incluye %1 (no se pudo leer la base de datos de udev para asegurarlo).</translation>
    </message>
    <message>
        <source>ModemManager may open it and send AT commands to the ESC.</source>
        <translation>ModemManager puede abrirlo y enviar órdenes AT al ESC.</translation>
    </message>
    <message>
        <source>The udev rule lists %1 but came after the adapter: plug the adapter in again.</source>
        <translation>La regla udev incluye %1, pero llegó después que el adaptador: vuelva a conectar el adaptador.</translation>
    </message>
    <message>
        <source>brltty claims adapters of this chip as braille displays: its serial port may vanish at once.</source>
        <translation>brltty toma los adaptadores de este chip por pantallas braille: su puerto serie puede desaparecer en el acto.</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>bien</translation>
    </message>
    <message>
        <source>note</source>
        <translation>nota</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>problema</translation>
    </message>
    <message>
        <source>Remedy: %1</source>
        <translation>Solución: %1</translation>
    </message>
    <message>
        <source>udev rule</source>
        <translation>regla udev</translation>
    </message>
    <message>
        <source>not installed: no %1 in /etc/udev/rules.d or %2.</source>
        <translation>no instalada: no hay %1 en /etc/udev/rules.d ni en %2.</translation>
    </message>
    <message>
        <source>Install the morvane-esc-config package, or copy %1 from the sources&apos; packaging folder to /etc/udev/rules.d, run sudo udevadm control --reload-rules and plug the adapter in again.</source>
        <translation>Instale el paquete morvane-esc-config, o copie %1 de la carpeta packaging de las fuentes a /etc/udev/rules.d, ejecute sudo udevadm control --reload-rules y vuelva a conectar el adaptador.</translation>
    </message>
    <message>
        <source>installed: %1, for %2 kinds of adapter; it gives the user at this machine&apos;s seat access (uaccess) and keeps ModemManager off them.</source>
        <translation>instalada: %1, para %2 tipos de adaptador; da acceso al usuario sentado ante esta máquina (uaccess) y mantiene ModemManager alejado de ellos.</translation>
    </message>
    <message>
        <source>does not run.</source>
        <translation>no está en marcha.</translation>
    </message>
    <message>
        <source>runs, %1: it probes serial adapters that are not marked ID_MM_DEVICE_IGNORE.</source>
        <translation>está en marcha, %1: sondea los adaptadores serie que no llevan la marca ID_MM_DEVICE_IGNORE.</translation>
    </message>
    <message>
        <source>runs, %1. %2</source>
        <translation>está en marcha, %1. %2</translation>
    </message>
    <message>
        <source>adapters</source>
        <translation>adaptadores</translation>
    </message>
    <message>
        <source>no USB serial adapter is plugged in.</source>
        <translation>no hay ningún adaptador serie USB conectado.</translation>
    </message>
    <message>
        <source>Plug the adapter in, or name a port with --port or MORVANE_ESC_PORTS.</source>
        <translation>Conecte el adaptador, o indique un puerto con --port o MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>does not exist now.</source>
        <translation>no existe ahora.</translation>
    </message>
    <message>
        <source>Plug the adapter in, or check the path.</source>
        <translation>Conecte el adaptador, o revise la ruta.</translation>
    </message>
    <message>
        <source>cannot be looked at: permission denied.</source>
        <translation>no se puede examinar: permiso denegado.</translation>
    </message>
    <message>
        <source>Name a path this user may follow.</source>
        <translation>Indique una ruta que este usuario pueda seguir.</translation>
    </message>
    <message>
        <source>Name a serial device with --port or in MORVANE_ESC_PORTS.</source>
        <translation>Indique un dispositivo serie con --port o en MORVANE_ESC_PORTS.</translation>
    </message>
    <message>
        <source>cannot be followed: %1.</source>
        <translation>no se puede seguir: %1.</translation>
    </message>
    <message>
        <source>Check the path and each symbolic link on it: it must lead to the device.</source>
        <translation>Compruebe la ruta y cada enlace simbólico en ella: debe llevar al dispositivo.</translation>
    </message>
</context>
<context>
    <name>FileName</name>
    <message>
        <source>no file name is given</source>
        <translation>no se ha indicado ningún nombre de archivo</translation>
    </message>
    <message>
        <source>Windows does not allow %1 in a file name: choose another name</source>
        <translation>Windows no permite %1 en un nombre de archivo: elija otro nombre</translation>
    </message>
    <message>
        <source>Windows drops a dot or a space at the end of a file name: choose another name</source>
        <translation>Windows quita un punto o un espacio al final de un nombre de archivo: elija otro nombre</translation>
    </message>
    <message>
        <source>%1 is the name of a device on Windows, not of a file: choose another name</source>
        <translation>%1 es el nombre de un dispositivo en Windows, no de un archivo: elija otro nombre</translation>
    </message>
</context>
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
    <name>PortChecks</name>
    <message>
        <source>this window</source>
        <translation>esta ventana</translation>
    </message>
</context>
<context>
    <name>PortHolders</name>
    <message>
        <source>%1, process %2</source>
        <translation>%1, proceso %2</translation>
    </message>
    <message>
        <source>perhaps %1</source>
        <translation>quizá %1</translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 y %2 más</translation>
    </message>
    <message>
        <source>in use by other programs</source>
        <translation>en uso por otros programas</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>en uso por otro programa</translation>
    </message>
    <message>
        <source>in use by other programs (%1)</source>
        <translation>en uso por otros programas (%1)</translation>
    </message>
    <message>
        <source>in use by another program (%1)</source>
        <translation>en uso por otro programa (%1)</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>Close them, then pick the port again.</source>
        <translation>Ciérrelos y vuelva a elegir el puerto.</translation>
    </message>
    <message>
        <source>Close them, then run the command again.</source>
        <translation>Ciérrelos y vuelva a ejecutar la orden.</translation>
    </message>
    <message>
        <source>Close it, then pick the port again.</source>
        <translation>Ciérrelo y vuelva a elegir el puerto.</translation>
    </message>
    <message>
        <source>Close it, then run the command again.</source>
        <translation>Ciérrelo y vuelva a ejecutar la orden.</translation>
    </message>
    <message>
        <source>Close the other programs, then pick the port again.</source>
        <translation>Cierre los demás programas y vuelva a elegir el puerto.</translation>
    </message>
    <message>
        <source>Close the other programs, then run the command again.</source>
        <translation>Cierre los demás programas y vuelva a ejecutar la orden.</translation>
    </message>
    <message>
        <source>Then pick the port again.</source>
        <translation>Luego vuelva a elegir el puerto.</translation>
    </message>
    <message>
        <source>Then run the command again.</source>
        <translation>Luego vuelva a ejecutar la orden.</translation>
    </message>
    <message>
        <source>ModemManager probes serial adapters for modems with AT commands, bytes an ESC may take for the start of a frame.</source>
        <translation>ModemManager sondea los adaptadores serie en busca de módems con órdenes AT, bytes que un ESC puede tomar por el comienzo de una trama.</translation>
    </message>
    <message>
        <source>The udev rule of the %1 package keeps it off the usual adapters (plug the adapter in again once the package is installed); for another adapter, set %2 for it in a udev rule of your own.</source>
        <translation>La regla udev del paquete %1 lo mantiene alejado de los adaptadores habituales (vuelva a conectar el adaptador una vez instalado el paquete); para otro adaptador, ponga %2 en una regla udev propia.</translation>
    </message>
    <message>
        <source>brltty, the braille display service, claims some USB serial adapters (%1 among them) as braille displays, and their serial port goes.</source>
        <translation>brltty, el servicio de pantallas braille, toma algunos adaptadores serie USB (entre ellos %1) por pantallas braille, y su puerto serie desaparece.</translation>
    </message>
    <message>
        <source>Where no braille display is used: %1 (or, to keep it, %2), then plug the adapter in again.</source>
        <translation>Si no se usa ninguna pantalla braille: %1 (o, para conservarlo, %2) y vuelva a conectar el adaptador.</translation>
    </message>
    <message>
        <source>%1 came and went within a second: brltty (process %2) runs and claims adapters of this chip (%3) as braille displays, which takes their serial port away.</source>
        <translation>%1 apareció y desapareció en menos de un segundo: brltty (proceso %2) está en marcha y toma los adaptadores de este chip (%3) por pantallas braille, lo que les quita su puerto serie.</translation>
    </message>
    <message>
        <source>%1 came and went within a second at %4: brltty (process %2) runs and claims adapters of this chip (%3) as braille displays, which takes their serial port away.</source>
        <translation>%1 apareció y desapareció en menos de un segundo a las %4: brltty (proceso %2) está en marcha y toma los adaptadores de este chip (%3) por pantallas braille, lo que les quita su puerto serie.</translation>
    </message>
</context>
<context>
    <name>PortTable</name>
    <message>
        <source>No serial port was found.
Connect the adapter: it appears here by itself.</source>
        <translation>No se encontró ningún puerto serie.
Conecte el adaptador: aparecerá aquí por sí solo.</translation>
    </message>
    <message>
        <source>No serial port was found.
Connect the adapter, then start the program again.</source>
        <translation>No se encontró ningún puerto serie.
Conecte el adaptador y vuelva a iniciar el programa.</translation>
    </message>
    <message>
        <source>The serial ports COM1 to COM16 could not be opened.</source>
        <translation>No se pudieron abrir los puertos serie COM1 a COM16.</translation>
    </message>
    <message>
        <source>These serial ports could not be opened:</source>
        <translation>No se pudieron abrir estos puertos serie:</translation>
    </message>
    <message>
        <source>A port may be in use by another program.</source>
        <translation>Puede que otro programa esté usando un puerto.</translation>
    </message>
    <message>
        <source>Your user may not open a port.</source>
        <translation>Su usuario no puede abrir ningún puerto.</translation>
    </message>
    <message>
        <source>You may need to join the %1 group: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation>Quizá deba unirse al grupo %1: sudo usermod -aG %1 $USER y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>Then plug the adapter in again, or start the program again.</source>
        <translation>Luego vuelva a conectar el adaptador o a iniciar el programa.</translation>
    </message>
    <message>
        <source>Then start the program again.</source>
        <translation>Luego vuelva a iniciar el programa.</translation>
    </message>
    <message>
        <source>does not exist now</source>
        <translation>no existe ahora</translation>
    </message>
    <message>
        <source>pseudo-terminal</source>
        <translation>pseudoterminal</translation>
    </message>
    <message>
        <source>serial device</source>
        <translation>dispositivo serie</translation>
    </message>
    <message>
        <source>link to %1, %2</source>
        <translation>enlace a %1, %2</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>puerto serie</translation>
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
    <message>
        <source>(no presets found)</source>
        <translation>(no se encontraron preajustes)</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Comparar con archivo</translation>
    </message>
    <message>
        <source>Save as preset</source>
        <translation>Guardar como preajuste</translation>
    </message>
    <message>
        <source>Description, e.g. &quot;3S LiPo, soft cutoff&quot;:</source>
        <translation>Descripción, p. ej. «3S LiPo, corte suave»:</translation>
    </message>
    <message>
        <source>Settings library</source>
        <translation>Biblioteca de ajustes</translation>
    </message>
    <message>
        <source>Compare with file…</source>
        <translation>Comparar con archivo…</translation>
    </message>
    <message>
        <source>Apply preset</source>
        <translation>Aplicar preajuste</translation>
    </message>
    <message>
        <source>Save as preset…</source>
        <translation>Guardar como preajuste…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>T&amp;heme</source>
        <translation>T&amp;ema</translation>
    </message>
    <message numerus="yes">
        <source>%n settings (%1)</source>
        <translation>
            <numerusform>%n ajuste (%1)</numerusform>
            <numerusform>%n ajustes (%1)</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo: %1</source>
        <translation>Deshacer: %1</translation>
    </message>
    <message>
        <source>Redo: %1</source>
        <translation>Rehacer: %1</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot; is saved as %2 already. Replace it, or keep it and save the new one as %3?</source>
        <translation>El preajuste «%1» ya está guardado como %2. ¿Reemplazarlo, o conservarlo y guardar el nuevo como %3?</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Reemplazar</translation>
    </message>
    <message>
        <source>&amp;Keep both</source>
        <translation>&amp;Conservar ambos</translation>
    </message>
    <message>
        <source>The theme could not be remembered for the next start: %1 cannot be written. It holds until the window closes.</source>
        <translation>El tema no se puede recordar para el próximo inicio: no se puede escribir %1. Vale hasta que se cierre la ventana.</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un dispositivo de caracteres</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un dispositivo de bloques</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>una tubería con nombre</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>un enlace simbólico</translation>
    </message>
    <message>
        <source>not a file but %1</source>
        <translation>no es un archivo, sino %1</translation>
    </message>
    <message>
        <source>not a file but %1; left as it is</source>
        <translation>no es un archivo, sino %1; se deja como está</translation>
    </message>
    <message>
        <source>another file took its name</source>
        <translation>otro archivo ha tomado su nombre</translation>
    </message>
    <message>
        <source>the file was deleted</source>
        <translation>el archivo se ha eliminado</translation>
    </message>
    <message>
        <source>the file was moved</source>
        <translation>el archivo se ha movido</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>no es un archivo</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>no está abierto</translation>
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
    <message>
        <source>value byte %1</source>
        <translation>byte de valor %1</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>Connect an ESC first: its five settings are read when it connects, and they would replace settings loaded before.</source>
        <translation>Conecte primero un ESC: sus cinco ajustes se leen al conectarse y sustituirían los ajustes cargados antes.</translation>
    </message>
    <message>
        <source>The ESC was lost or another connected while the dialog was open: nothing was written. Compare again.</source>
        <translation>El ESC se perdió o se conectó otro mientras el diálogo estaba abierto: no se escribió nada. Compare de nuevo.</translation>
    </message>
    <message>
        <source>unknown setting &quot;%1&quot;; the settings are %2</source>
        <translation>ajuste desconocido «%1»; los ajustes son %2</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 aparece dos veces</translation>
    </message>
    <message>
        <source>%1: the value must be text; allowed: %2</source>
        <translation>%1: el valor debe ser texto; permitidos: %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not allowed; allowed: %3</source>
        <translation>%1: «%2» no está permitido; permitidos: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>«%1» aparece dos veces</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice in &quot;%2&quot;</source>
        <translation>«%1» aparece dos veces en «%2»</translation>
    </message>
    <message>
        <source>refused: larger than 64 KiB, which no settings file is</source>
        <translation>rechazado: ocupa más de 64 KiB, y ningún archivo de ajustes es tan grande</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2</source>
        <translation>no es JSON: %1 en el byte %2</translation>
    </message>
    <message>
        <source>not a settings file: the JSON is not an object</source>
        <translation>no es un archivo de ajustes: el JSON no es un objeto</translation>
    </message>
    <message>
        <source>not a settings file: &quot;%1&quot; must be &quot;%2&quot;</source>
        <translation>no es un archivo de ajustes: «%1» debe ser «%2»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a number</source>
        <translation>«%1» debe ser un número</translation>
    </message>
    <message>
        <source>version %1 is not supported; this program reads version %2</source>
        <translation>la versión %1 no es compatible; este programa lee la versión %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an object</source>
        <translation>«%1» debe ser un objeto</translation>
    </message>
    <message>
        <source>cannot read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>cannot write: %1</source>
        <translation>no se puede escribir: %1</translation>
    </message>
    <message>
        <source>cannot make the folder</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
</context>
<context>
    <name>Stand</name>
    <message>
        <source>No thrust reading yet: nothing to tare.</source>
        <translation>Aún no hay lectura de empuje: nada que tarar.</translation>
    </message>
    <message>
        <source>The known weight must be above 0 g.</source>
        <translation>El peso conocido debe ser mayor que 0 g.</translation>
    </message>
    <message>
        <source>No thrust reading yet: nothing to calibrate.</source>
        <translation>Aún no hay lectura de empuje: nada que calibrar.</translation>
    </message>
    <message>
        <source>The stand reads no weight: tare it empty, then put the known weight on it.</source>
        <translation>El banco no mide peso: tárelo vacío y luego ponga el peso conocido.</translation>
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
    <message>
        <source>Steps must lie above 25, where the speed is polled: from and to start at %1.</source>
        <translation>Los pasos deben estar por encima de 25, donde se consulta la velocidad: el acelerador inicial y el final empiezan en %1.</translation>
    </message>
    <message>
        <source>The maximum must lie from %1 to %2.</source>
        <translation>El máximo debe estar entre %1 y %2.</translation>
    </message>
    <message>
        <source>From must not lie above to.</source>
        <translation>El acelerador inicial no debe superar al final.</translation>
    </message>
    <message>
        <source>To (%1) lies above the maximum (%2).</source>
        <translation>El acelerador final (%1) supera el máximo (%2).</translation>
    </message>
    <message>
        <source>The step must be at least 1.</source>
        <translation>El paso debe ser al menos 1.</translation>
    </message>
    <message>
        <source>Each step needs at least one sample.</source>
        <translation>Cada paso necesita al menos una muestra.</translation>
    </message>
    <message>
        <source>The settling time cannot be negative.</source>
        <translation>El tiempo de espera no puede ser negativo.</translation>
    </message>
    <message>
        <source>A sweep is already running.</source>
        <translation>Ya hay un barrido en marcha.</translation>
    </message>
    <message>
        <source>No ESC connected: a sweep starts only while the status reads Connected.</source>
        <translation>Ningún ESC conectado: un barrido solo empieza mientras el estado indica Conectado.</translation>
    </message>
    <message>
        <source>Stopped (%1) after %2 of 1 step; throttle 0.</source>
        <translation>Detenido (%1) tras %2 de 1 paso; acelerador 0.</translation>
    </message>
    <message>
        <source>Done: 1 step measured; throttle 0.</source>
        <translation>Hecho: 1 paso medido; acelerador 0.</translation>
    </message>
    <message>
        <source>thrust limit passed</source>
        <translation>límite de empuje superado</translation>
    </message>
    <message>
        <source>current limit passed</source>
        <translation>límite de corriente superado</translation>
    </message>
    <message>
        <source>The thrust stand sends no readings: check its port and baud rate, or close it.</source>
        <translation>El banco de empuje no envía lecturas: revise su puerto y velocidad, o ciérrelo.</translation>
    </message>
    <message>
        <source>thrust stand silent for over a second</source>
        <translation>banco de empuje en silencio más de un segundo</translation>
    </message>
</context>
<context>
    <name>morvane::Accessibility</name>
    <message>
        <source>The serial port the ESC is on. Picking one opens it and looks for an ESC there.</source>
        <translation>El puerto serie en el que está el ESC. Elegir uno lo abre y busca allí un ESC.</translation>
    </message>
    <message>
        <source>Connected while an ESC answers on the chosen port, else Unconnected.</source>
        <translation>Conectado mientras un ESC responde en el puerto elegido; si no, Sin conexión.</translation>
    </message>
    <message>
        <source>The model of the connected ESC.</source>
        <translation>El modelo del ESC conectado.</translation>
    </message>
    <message>
        <source>The firmware version of the connected ESC.</source>
        <translation>La versión de firmware del ESC conectado.</translation>
    </message>
    <message>
        <source>The battery voltage at which the ESC cuts the motor. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>El voltaje de batería al que el ESC corta el motor. Lo elegido se escribe en el ESC conectado; * marca el valor de fábrica.</translation>
    </message>
    <message>
        <source>Whether the ESC brakes the motor at throttle 0. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Si el ESC frena el motor con el acelerador a 0. Lo elegido se escribe en el ESC conectado; * marca el valor de fábrica.</translation>
    </message>
    <message>
        <source>The motor&apos;s timing advance in degrees. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>El avance de timing del motor en grados. Lo elegido se escribe en el ESC conectado; * marca el valor de fábrica.</translation>
    </message>
    <message>
        <source>How the ESC cuts at low voltage: at once (hard) or by lowering the power (soft). A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>Cómo corta el ESC con voltaje bajo: al instante (brusco) o reduciendo la potencia (suave). Lo elegido se escribe en el ESC conectado; * marca el valor de fábrica.</translation>
    </message>
    <message>
        <source>The direction the motor turns. A pick is written to the connected ESC; * marks the factory default.</source>
        <translation>El sentido en que gira el motor. Lo elegido se escribe en el ESC conectado; * marca el valor de fábrica.</translation>
    </message>
    <message>
        <source>Picks the factory default (marked *) of all five settings, which are then written to the connected ESC.</source>
        <translation>Elige el valor de fábrica (marcado con *) de los cinco ajustes, que luego se escriben en el ESC conectado.</translation>
    </message>
    <message>
        <source>Runs the motor, 0 to 200. Disabled until an ESC is connected. Esc stops the motor at once, from any window of the program; Home goes to 0.</source>
        <translation>Hace girar el motor, de 0 a 200. Desactivado hasta que se conecte un ESC. Esc detiene el motor al instante, desde cualquier ventana del programa; Inicio lo pone a 0.</translation>
    </message>
    <message>
        <source>The throttle the slider sets, 0 to 200.</source>
        <translation>El acelerador que fija el control deslizante, de 0 a 200.</translation>
    </message>
    <message>
        <source>The motor&apos;s magnet pole count, even, 2 to 24; the speed is computed from it. Up raises it.</source>
        <translation>El número de polos magnéticos del motor, par, de 2 a 24; con él se calcula la velocidad. Flecha arriba lo aumenta.</translation>
    </message>
    <message>
        <source>The motor&apos;s magnet pole count.</source>
        <translation>El número de polos magnéticos del motor.</translation>
    </message>
    <message>
        <source>Speed (r/min)</source>
        <translation>Velocidad (r/min)</translation>
    </message>
    <message>
        <source>The motor&apos;s speed in revolutions per minute, measured while the throttle is above 25.</source>
        <translation>La velocidad del motor en revoluciones por minuto, medida mientras el acelerador está por encima de 25.</translation>
    </message>
    <message>
        <source>Morvane logo</source>
        <translation>Logotipo de Morvane</translation>
    </message>
    <message>
        <source>Panels</source>
        <translation>Paneles</translation>
    </message>
    <message>
        <source>Config holds the ESC&apos;s five settings; Run holds the throttle and the speed.</source>
        <translation>Configuración contiene los cinco ajustes del ESC; Marcha contiene el acelerador y la velocidad.</translation>
    </message>
    <message>
        <source>The average and latest speed in r/min and the throttle.</source>
        <translation>La velocidad media y la última en r/min, y el acelerador.</translation>
    </message>
    <message>
        <source>Speed and throttle plot</source>
        <translation>Gráfico de velocidad y acelerador</translation>
    </message>
    <message>
        <source>The last minute of speed (left axis) and throttle (right axis). Record writes the same figures to a CSV file.</source>
        <translation>El último minuto de velocidad (eje izquierdo) y acelerador (eje derecho). Grabar escribe las mismas cifras en un archivo CSV.</translation>
    </message>
    <message>
        <source>Whether and where the figures are recorded.</source>
        <translation>Si se graban las cifras y dónde.</translation>
    </message>
    <message>
        <source>What the stepped sweep is doing.</source>
        <translation>Qué está haciendo el barrido por pasos.</translation>
    </message>
    <message>
        <source>Sweep results</source>
        <translation>Resultados del barrido</translation>
    </message>
    <message>
        <source>One row per throttle step: mean and spread of the speed.</source>
        <translation>Una fila por paso del acelerador: media y dispersión de la velocidad.</translation>
    </message>
    <message>
        <source>Starts or stops writing one CSV row per speed reply.</source>
        <translation>Inicia o detiene la escritura de una fila CSV por cada respuesta de velocidad.</translation>
    </message>
    <message>
        <source>Starts the stepped sweep: the ESC&apos;s throttle is raised step by step, never above the maximum. Esc or Stop ends it at 0.</source>
        <translation>Inicia el barrido por pasos: el acelerador del ESC sube paso a paso, nunca por encima del máximo. Esc o Detener lo termina en 0.</translation>
    </message>
    <message>
        <source>Ends the sweep and sets the throttle to 0, as Esc does.</source>
        <translation>Termina el barrido y pone el acelerador a 0, igual que Esc.</translation>
    </message>
    <message>
        <source>Saves the sweep&apos;s table as a CSV file.</source>
        <translation>Guarda la tabla del barrido como archivo CSV.</translation>
    </message>
    <message>
        <source>The sweep never sets a throttle above this.</source>
        <translation>El barrido nunca pone el acelerador por encima de este valor.</translation>
    </message>
    <message>
        <source>Saves the five settings to a file; also Ctrl+S.</source>
        <translation>Guarda los cinco ajustes en un archivo; también Ctrl+S.</translation>
    </message>
    <message>
        <source>Loads the settings of a file and writes them to the connected ESC; also Ctrl+O.</source>
        <translation>Carga los ajustes de un archivo y los escribe en el ESC conectado; también Ctrl+O.</translation>
    </message>
    <message>
        <source>The ESC&apos;s five settings; a pick is written to the connected ESC.</source>
        <translation>Los cinco ajustes del ESC; cada elección se escribe en el ESC conectado.</translation>
    </message>
    <message>
        <source>The throttle and the motor&apos;s speed.</source>
        <translation>El acelerador y la velocidad del motor.</translation>
    </message>
    <message>
        <source>The throttle of the sweep&apos;s first step.</source>
        <translation>El acelerador del primer paso del barrido.</translation>
    </message>
    <message>
        <source>The throttle of the sweep&apos;s last step, never above the maximum.</source>
        <translation>El acelerador del último paso del barrido, nunca por encima del máximo.</translation>
    </message>
    <message>
        <source>How much the throttle rises from one step to the next.</source>
        <translation>Cuánto sube el acelerador de un paso al siguiente.</translation>
    </message>
    <message>
        <source>Seconds the speed is left to settle at each step before it is sampled.</source>
        <translation>Segundos que se deja estabilizar la velocidad en cada paso antes de medirla.</translation>
    </message>
    <message>
        <source>How many speed replies are averaged at each step.</source>
        <translation>Cuántas respuestas de velocidad se promedian en cada paso.</translation>
    </message>
    <message>
        <source>%1: %2, firmware %3</source>
        <translation>%1: %2, firmware %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2. Motor stopped.</source>
        <translation>%1: %2. Motor detenido.</translation>
    </message>
    <message>
        <source>Motor stopped (Escape).</source>
        <translation>Motor detenido (Esc).</translation>
    </message>
    <message>
        <source>the ESC stopped answering</source>
        <translation>el ESC dejó de responder</translation>
    </message>
    <message>
        <source>its port failed</source>
        <translation>su puerto falló</translation>
    </message>
    <message>
        <source>another port was chosen</source>
        <translation>se eligió otro puerto</translation>
    </message>
</context>
<context>
    <name>morvane::CompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>Comparar con archivo</translation>
    </message>
    <message>
        <source>The ESC holds every setting of %1.</source>
        <translation>El ESC coincide con %1 en todos los ajustes.</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>Diferencias</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Ajuste</translation>
    </message>
    <message>
        <source>ESC</source>
        <translation>ESC</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>difiere</translation>
    </message>
    <message>
        <source>Apply these</source>
        <translation>Aplicar estos</translation>
    </message>
    <message>
        <source>Writes the file&apos;s values where the ESC differs, as loading the file does; each is confirmed by the ESC&apos;s reply.</source>
        <translation>Escribe los valores del archivo donde el ESC difiere, como al cargar el archivo; el ESC confirma cada uno con su respuesta.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>The ESC differs from %1 in 1 setting.</source>
        <translation>El ESC difiere de %1 en 1 ajuste.</translation>
    </message>
    <message numerus="yes">
        <source>The ESC differs from %1 in %n settings.</source>
        <translation>
            <numerusform>El ESC difiere de %1 en %n ajuste.</numerusform>
            <numerusform>El ESC difiere de %1 en %n ajustes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>morvane::MotorReport</name>
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
        <source>Motor test report</source>
        <translation>Informe de prueba del motor</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Hora: %1</translation>
    </message>
    <message>
        <source>ESC: %1, firmware %2</source>
        <translation>ESC: %1, firmware %2</translation>
    </message>
    <message>
        <source>Settings: %1</source>
        <translation>Ajustes: %1</translation>
    </message>
    <message>
        <source>Thrust stand: none</source>
        <translation>Banco de empuje: ninguno</translation>
    </message>
    <message>
        <source>Thrust stand: %1</source>
        <translation>Banco de empuje: %1</translation>
    </message>
    <message>
        <source>Sweep: %1</source>
        <translation>Barrido: %1</translation>
    </message>
    <message>
        <source>Thrust (g)</source>
        <translation>Empuje (g)</translation>
    </message>
    <message>
        <source>Efficiency (g/W)</source>
        <translation>Eficiencia (g/W)</translation>
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
    <message>
        <source>thrust (g, outer axis)</source>
        <translation>empuje (g, eje exterior)</translation>
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
    <message>
        <source>Sweep started: %1</source>
        <translation>Barrido iniciado: %1</translation>
    </message>
    <message>
        <source>Step %1: throttle %2, %3 r/min</source>
        <translation>Paso %1: acelerador %2, %3 r/min</translation>
    </message>
    <message>
        <source>Sweep ended. %1</source>
        <translation>Barrido terminado. %1</translation>
    </message>
    <message>
        <source>Recording to %1: 1 row</source>
        <translation>Grabando en %1: 1 fila</translation>
    </message>
    <message>
        <source>Recorded 1 row to %1</source>
        <translation>1 fila grabada en %1</translation>
    </message>
    <message>
        <source>Sa&amp;ve report…</source>
        <translation>Guardar in&amp;forme…</translation>
    </message>
    <message>
        <source>One page to keep, as PDF or PNG: the table, thrust and g/W against throttle, the ESC and its settings, the stand&apos;s calibration and the time.</source>
        <translation>Una página para guardar, en PDF o PNG: la tabla, empuje y g/W según el acelerador, el ESC y sus ajustes, la calibración del banco y la hora.</translation>
    </message>
    <message>
        <source>Thrust g</source>
        <translation>Empuje g</translation>
    </message>
    <message>
        <source>SD g</source>
        <translation>DE g</translation>
    </message>
    <message>
        <source>Current A</source>
        <translation>Corriente A</translation>
    </message>
    <message>
        <source>Voltage V</source>
        <translation>Tensión V</translation>
    </message>
    <message>
        <source>Power W</source>
        <translation>Potencia W</translation>
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
        <translation>Tensión de corte</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Freno</translation>
    </message>
    <message>
        <source>Timing Advance</source>
        <translation>Avance de sincronización</translation>
    </message>
    <message>
        <source>Cutoff Type</source>
        <translation>Tipo de corte</translation>
    </message>
    <message>
        <source>Rotation Direction</source>
        <translation>Sentido de giro</translation>
    </message>
    <message>
        <source>Report saved to %1.</source>
        <translation>Informe guardado en %1.</translation>
    </message>
    <message>
        <source>The report could not be saved to %1: %2</source>
        <translation>No se pudo guardar el informe en %1: %2</translation>
    </message>
    <message>
        <source>Save the sweep&apos;s report</source>
        <translation>Guardar el informe del barrido</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;PNG pictures (*.png)</source>
        <translation>Archivos PDF (*.pdf);;Imágenes PNG (*.png)</translation>
    </message>
</context>
<context>
    <name>morvane::Themes</name>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Sistema</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Claro</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Oscuro</translation>
    </message>
    <message>
        <source>&amp;High contrast</source>
        <translation>&amp;Alto contraste</translation>
    </message>
    <message>
        <source>&amp;Bright (sunlight)</source>
        <translation>&amp;Brillante (luz solar)</translation>
    </message>
</context>
<context>
    <name>morvane::ThrustStandPanel</name>
    <message>
        <source>By header, else thrust, current, voltage</source>
        <translation>Por cabecera, si no empuje, corriente, tensión</translation>
    </message>
    <message>
        <source>thrust, current, voltage</source>
        <translation>empuje, corriente, tensión</translation>
    </message>
    <message>
        <source>thrust, voltage, current</source>
        <translation>empuje, tensión, corriente</translation>
    </message>
    <message>
        <source>current, voltage, thrust</source>
        <translation>corriente, tensión, empuje</translation>
    </message>
    <message>
        <source>voltage, current, thrust</source>
        <translation>tensión, corriente, empuje</translation>
    </message>
    <message>
        <source>time (unused), thrust, current, voltage</source>
        <translation>tiempo (sin uso), empuje, corriente, tensión</translation>
    </message>
    <message>
        <source>off</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Thrust stand</source>
        <translation>Banco de empuje</translation>
    </message>
    <message>
        <source>The stand&apos;s serial port: any port but the ESC&apos;s.</source>
        <translation>El puerto serie del banco: cualquiera salvo el del ESC.</translation>
    </message>
    <message>
        <source>Op&amp;en</source>
        <translation>A&amp;brir</translation>
    </message>
    <message>
        <source>Thrust stand reading</source>
        <translation>Lectura del banco de empuje</translation>
    </message>
    <message>
        <source>T&amp;are</source>
        <translation>T&amp;arar</translation>
    </message>
    <message>
        <source>Zeroes the thrust; only while the motor stands still.</source>
        <translation>Pone el empuje a cero; solo con el motor parado.</translation>
    </message>
    <message>
        <source>&amp;Calibrate…</source>
        <translation>&amp;Calibrar…</translation>
    </message>
    <message>
        <source>Put a known weight on the tared stand and enter it: the scale is remembered for this port.</source>
        <translation>Ponga un peso conocido en el banco tarado e introdúzcalo: la escala se recuerda para este puerto.</translation>
    </message>
    <message>
        <source>Which column of a line of numbers is what.</source>
        <translation>Qué columna de una línea de números es qué.</translation>
    </message>
    <message>
        <source>A thrust reading above this sets the throttle to 0 at once.</source>
        <translation>Una lectura de empuje mayor pone el acelerador a 0 al instante.</translation>
    </message>
    <message>
        <source>A current reading above this sets the throttle to 0 at once.</source>
        <translation>Una lectura de corriente mayor pone el acelerador a 0 al instante.</translation>
    </message>
    <message>
        <source>Po&amp;rt:</source>
        <translation>Pue&amp;rto:</translation>
    </message>
    <message>
        <source>&amp;Baud:</source>
        <translation>&amp;Baudios:</translation>
    </message>
    <message>
        <source>Colum&amp;ns:</source>
        <translation>Colum&amp;nas:</translation>
    </message>
    <message>
        <source>Thrust &amp;limit:</source>
        <translation>&amp;Límite de empuje:</translation>
    </message>
    <message>
        <source>C&amp;urrent limit:</source>
        <translation>Límite de corri&amp;ente:</translation>
    </message>
    <message>
        <source>COM%1 is the ESC&apos;s port.</source>
        <translation>COM%1 es el puerto del ESC.</translation>
    </message>
    <message>
        <source>COM%1 has no device.</source>
        <translation>COM%1 no tiene dispositivo.</translation>
    </message>
    <message>
        <source>COM%1 cannot be opened: %2</source>
        <translation>No se puede abrir COM%1: %2</translation>
    </message>
    <message>
        <source>The stand&apos;s port failed.</source>
        <translation>Falló el puerto del banco.</translation>
    </message>
    <message>
        <source>Clos&amp;e</source>
        <translation>C&amp;errar</translation>
    </message>
    <message>
        <source>No stand open.</source>
        <translation>Ningún banco abierto.</translation>
    </message>
    <message>
        <source>No good line for over a second (%1 unreadable).</source>
        <translation>Ninguna línea válida en más de un segundo (%1 ilegibles).</translation>
    </message>
    <message>
        <source>No reading yet.</source>
        <translation>Aún no hay lectura.</translation>
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
        <translation>Calibrar el banco de empuje</translation>
    </message>
    <message>
        <source>The known weight now on the tared stand, in g:</source>
        <translation>El peso conocido sobre el banco tarado, en g:</translation>
    </message>
    <message>
        <source>COM%1 (%2) at %3 baud; tare %4, scale %5</source>
        <translation>COM%1 (%2) a %3 baudios; tara %4, escala %5</translation>
    </message>
    <message>
        <source>The speed the stand&apos;s board prints at, in baud.</source>
        <translation>La velocidad a la que envía la placa del banco, en baudios.</translation>
    </message>
    <message>
        <source>Opens the stand&apos;s port and reads it; pressed again, closes it.</source>
        <translation>Abre el puerto del banco y lo lee; pulsado otra vez, lo cierra.</translation>
    </message>
</context>
</TS>
