<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Date Modified</source>
        <translation>Modificado</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Something went wrong: %1</source>
        <translation>Algo salió mal: %1</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::DateView</name>
    <message>
        <source>Long Count</source>
        <translation>Cuenta Larga</translation>
    </message>
    <message>
        <source>Tzolkin</source>
        <translation>Tzolkin</translation>
    </message>
    <message>
        <source>Haab</source>
        <translation>Haab</translation>
    </message>
    <message>
        <source>Lord of the Night</source>
        <translation>Señor de la Noche</translation>
    </message>
    <message>
        <source>Year bearer</source>
        <translation>Portador del año</translation>
    </message>
    <message>
        <source>819-day station</source>
        <translation>Estación de 819 días</translation>
    </message>
    <message>
        <source>Days since the station</source>
        <translation>Días desde la estación</translation>
    </message>
    <message>
        <source>Station&apos;s quarter</source>
        <translation>Rumbo de la estación</translation>
    </message>
    <message>
        <source>Station&apos;s colour</source>
        <translation>Color de la estación</translation>
    </message>
    <message>
        <source>Station of the 20</source>
        <translation>Estación de las 20</translation>
    </message>
    <message>
        <source>Julian Day Number</source>
        <translation>Número de día juliano</translation>
    </message>
    <message>
        <source>Days since 0.0.0.0.0</source>
        <translation>Días desde 0.0.0.0.0</translation>
    </message>
    <message>
        <source>Gregorian</source>
        <translation>Gregoriano</translation>
    </message>
    <message>
        <source>Julian</source>
        <translation>Juliano</translation>
    </message>
    <message>
        <source>Historical</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>Día de la semana</translation>
    </message>
    <message>
        <source>Previous katun</source>
        <translation>Katun anterior</translation>
    </message>
    <message>
        <source>Previous tun</source>
        <translation>Tun anterior</translation>
    </message>
    <message>
        <source>Previous uinal</source>
        <translation>Uinal anterior</translation>
    </message>
    <message>
        <source>Previous kin</source>
        <translation>Kin anterior</translation>
    </message>
    <message>
        <source>Next kin</source>
        <translation>Kin siguiente</translation>
    </message>
    <message>
        <source>Next uinal</source>
        <translation>Uinal siguiente</translation>
    </message>
    <message>
        <source>Next tun</source>
        <translation>Tun siguiente</translation>
    </message>
    <message>
        <source>Next katun</source>
        <translation>Katun siguiente</translation>
    </message>
    <message>
        <source>&lt;&lt; katun</source>
        <translation>&lt;&lt; katun</translation>
    </message>
    <message>
        <source>&lt; tun</source>
        <translation>&lt; tun</translation>
    </message>
    <message>
        <source>&lt; uinal</source>
        <translation>&lt; uinal</translation>
    </message>
    <message>
        <source>&lt; kin</source>
        <translation>&lt; kin</translation>
    </message>
    <message>
        <source>kin &gt;</source>
        <translation>kin &gt;</translation>
    </message>
    <message>
        <source>uinal &gt;</source>
        <translation>uinal &gt;</translation>
    </message>
    <message>
        <source>tun &gt;</source>
        <translation>tun &gt;</translation>
    </message>
    <message>
        <source>katun &gt;&gt;</source>
        <translation>katun &gt;&gt;</translation>
    </message>
    <message>
        <source>East (likin)</source>
        <translation>Este (likin)</translation>
    </message>
    <message>
        <source>South (nohol)</source>
        <translation>Sur (nohol)</translation>
    </message>
    <message>
        <source>West (chikin)</source>
        <translation>Oeste (chikin)</translation>
    </message>
    <message>
        <source>North (xaman)</source>
        <translation>Norte (xaman)</translation>
    </message>
    <message>
        <source>red (chak)</source>
        <translation>rojo (chak)</translation>
    </message>
    <message>
        <source>yellow (kan)</source>
        <translation>amarillo (kan)</translation>
    </message>
    <message>
        <source>black (ek)</source>
        <translation>negro (ek)</translation>
    </message>
    <message>
        <source>white (sak)</source>
        <translation>blanco (sak)</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lunes</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>martes</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>miércoles</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jueves</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>viernes</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>sábado</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>domingo</translation>
    </message>
    <message>
        <source>East</source>
        <translation>Este</translation>
    </message>
    <message>
        <source>South</source>
        <translation>Sur</translation>
    </message>
    <message>
        <source>West</source>
        <translation>Oeste</translation>
    </message>
    <message>
        <source>North</source>
        <translation>Norte</translation>
    </message>
    <message>
        <source>Initial Series</source>
        <translation>Serie Inicial</translation>
    </message>
    <message>
        <source>before 0.0.0.0.0</source>
        <translation>antes de 0.0.0.0.0</translation>
    </message>
    <message>
        <source>seating</source>
        <translation>asiento</translation>
    </message>
    <message>
        <source>819-day count</source>
        <translation>Cuenta de 819 días</translation>
    </message>
    <message>
        <source>%1 station + 1 day</source>
        <translation>Estación del %1 + 1 día</translation>
    </message>
    <message>
        <source>%1 station + %2 days</source>
        <translation>Estación del %1 + %2 días</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>2012-12-21, 3114-08-11 BCE, 9.12.11.5.18 6 Etznab 11 Yax, JDN 2451545 or today</source>
        <translation>2012-12-21, 3114-08-11 BCE, 9.12.11.5.18 6 Etznab 11 Yax, JDN 2451545 o today</translation>
    </message>
    <message>
        <source>A date of the chosen Western calendar (YEAR-MONTH-DAY, CE or BCE), a Long Count with what the monument records for the day if you like, JDN and a Julian Day Number, or today</source>
        <translation>Una fecha del calendario occidental elegido (AÑO-MES-DÍA, CE o BCE), una Cuenta Larga con lo que el monumento registra para el día si se quiere, JDN y un número de día juliano, o today (hoy)</translation>
    </message>
    <message>
        <source>Date problem</source>
        <translation>Problema de la fecha</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>The day as a monument writes it</source>
        <translation>El día como lo escribe un monumento</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Save &amp;Picture...</source>
        <translation>Guardar &amp;imagen...</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <source>Maya calendar</source>
        <translation>Calendario maya</translation>
    </message>
    <message>
        <source>Western calendars</source>
        <translation>Calendarios occidentales</translation>
    </message>
    <message>
        <source>SVG picture (*.svg)</source>
        <translation>Imagen SVG (*.svg)</translation>
    </message>
    <message>
        <source>Save Picture</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <source>SVG picture (*.svg);;PNG image (*.png)</source>
        <translation>Imagen SVG (*.svg);;Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>Cannot save the picture: %1</source>
        <translation>No se puede guardar la imagen: %1</translation>
    </message>
    <message>
        <source>the date of this day lies outside the supported years</source>
        <translation>la fecha de este día cae fuera de los años admitidos</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>no day to draw</source>
        <translation>no hay ningún día que dibujar</translation>
    </message>
    <message>
        <source>the image could not be encoded</source>
        <translation>no se pudo codificar la imagen</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::InscriptionView</name>
    <message>
        <source>Worksheet</source>
        <translation>Hoja de trabajo</translation>
    </message>
    <message>
        <source>One date or distance a line, with what the monument records for the day:
9.12.11.5.18 6 Etznab 11 Yax G1   # Palenque
+2.5.3 10 Imix 4 Muan
-1.0.0 1 Imix 9 Muan</source>
        <translation>Una fecha o un número de distancia por línea, con lo que el monumento registra para el día:
9.12.11.5.18 6 Etznab 11 Yax G1   # Palenque
+2.5.3 10 Imix 4 Muan
-1.0.0 1 Imix 9 Muan</translation>
    </message>
    <message>
        <source>Worksheet problem</source>
        <translation>Problema de la hoja de trabajo</translation>
    </message>
    <message>
        <source>&amp;New Worksheet</source>
        <translation>&amp;Nueva hoja de trabajo</translation>
    </message>
    <message>
        <source>&amp;Open Worksheet...</source>
        <translation>&amp;Abrir hoja de trabajo...</translation>
    </message>
    <message>
        <source>&amp;Save Worksheet</source>
        <translation>&amp;Guardar hoja de trabajo</translation>
    </message>
    <message>
        <source>Save Worksheet &amp;As...</source>
        <translation>Guardar hoja de trabajo &amp;como...</translation>
    </message>
    <message>
        <source>E&amp;xport Answers as CSV...</source>
        <translation>E&amp;xportar respuestas como CSV...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Abrir &amp;reciente</translation>
    </message>
    <message>
        <source>%1: agrees</source>
        <translation>%1: concuerda</translation>
    </message>
    <message>
        <source>%1: disagrees: the arithmetic gives %2</source>
        <translation>%1: no concuerda: la aritmética da %2</translation>
    </message>
    <message>
        <source>%1  (a clue disagrees)</source>
        <translation>%1  (una pista no concuerda)</translation>
    </message>
    <message>
        <source>every clue agrees %1 earlier: %2</source>
        <translation>todas las pistas concuerdan %1 antes: %2</translation>
    </message>
    <message>
        <source>every clue agrees %1 later: %2</source>
        <translation>todas las pistas concuerdan %1 después: %2</translation>
    </message>
    <message>
        <source>Lines reaching a day: %1. With a clue that disagrees: %2. Refused: %3.</source>
        <translation>Líneas que llegan a un día: %1. Con una pista que no concuerda: %2. Rechazadas: %3.</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Cambios sin guardar</translation>
    </message>
    <message>
        <source>The worksheet has changes that are not saved.</source>
        <translation>La hoja de trabajo tiene cambios que no se han guardado.</translation>
    </message>
    <message>
        <source>The worksheet %1 has changes that are not saved.</source>
        <translation>La hoja de trabajo %1 tiene cambios que no se han guardado.</translation>
    </message>
    <message>
        <source>Save them first?</source>
        <translation>¿Guardarlos antes?</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Guardar hoja de trabajo</translation>
    </message>
    <message>
        <source>Worksheets (*.txt);;All files (*)</source>
        <translation>Hojas de trabajo (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Cannot save the worksheet: %1</source>
        <translation>No se puede guardar la hoja de trabajo: %1</translation>
    </message>
    <message>
        <source>Open Worksheet</source>
        <translation>Abrir hoja de trabajo</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>Save Worksheet As</source>
        <translation>Guardar hoja de trabajo como</translation>
    </message>
    <message>
        <source>Export Answers</source>
        <translation>Exportar respuestas</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Archivo CSV (*.csv)</translation>
    </message>
    <message>
        <source>Cannot export the answers: %1</source>
        <translation>No se pueden exportar las respuestas: %1</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::MatchModel</name>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Long Count</source>
        <translation>Cuenta Larga</translation>
    </message>
    <message>
        <source>Tzolkin</source>
        <translation>Tzolkin</translation>
    </message>
    <message>
        <source>Haab</source>
        <translation>Haab</translation>
    </message>
    <message>
        <source>Lord</source>
        <translation>Señor</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::SearchView</name>
    <message>
        <source>Pattern</source>
        <translation>Patrón</translation>
    </message>
    <message>
        <source>9.*.*.*.* 8 Ahau 13 Pop</source>
        <translation>9.*.*.*.* 8 Ahau 13 Pop</translation>
    </message>
    <message>
        <source>The clues, in any order: a Long Count with * places (9.*.*.*.0), a Tzolkin date (8 Ahau, * Ahau, 8 *), a Haab date (13 Pop, * Pop, 0 *), a Lord of the Night (G9), a year bearer (bearer 8 Ik), an 819-day quarter (819 South) and the days after the station (819+20)</source>
        <translation>Las pistas, en cualquier orden: una Cuenta Larga con posiciones * (9.*.*.*.0), una fecha del Tzolkin (8 Ahau, * Ahau, 8 *), una fecha del Haab (13 Pop, * Pop, 0 *), un Señor de la Noche (G9), un portador del año (bearer 8 Ik), un rumbo de la cuenta de 819 días (819 South, el Sur) y los días desde la estación (819+20)</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>0.0.0.0.0, or the Long Count&apos;s own range</source>
        <translation>0.0.0.0.0, o el intervalo de la propia Cuenta Larga</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>19.19.19.17.19</source>
        <translation>19.19.19.17.19</translation>
    </message>
    <message>
        <source>List at most</source>
        <translation>Enumerar como mucho</translation>
    </message>
    <message>
        <source>Search problem</source>
        <translation>Problema de la búsqueda</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Coincidencias</translation>
    </message>
    <message>
        <source>Matching days</source>
        <translation>Días que concuerdan</translation>
    </message>
    <message>
        <source>&amp;Open Match in Date View</source>
        <translation>&amp;Abrir la coincidencia en la vista de fecha</translation>
    </message>
    <message>
        <source>&amp;Export Matches as CSV...</source>
        <translation>&amp;Exportar coincidencias como CSV...</translation>
    </message>
    <message>
        <source>&amp;Pattern:</source>
        <translation>&amp;Patrón:</translation>
    </message>
    <message>
        <source>&amp;to</source>
        <translation>&amp;hasta</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Desde:</translation>
    </message>
    <message>
        <source>List at &amp;most:</source>
        <translation>Enumerar como &amp;mucho:</translation>
    </message>
    <message>
        <source>Export Matches</source>
        <translation>Exportar coincidencias</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Archivo CSV (*.csv)</translation>
    </message>
    <message>
        <source>Cannot export the matches: %1</source>
        <translation>No se pueden exportar las coincidencias: %1</translation>
    </message>
    <message>
        <source>Type a pattern of clues, such as 9.*.*.*.* 8 Ahau 13 Pop.</source>
        <translation>Escriba un patrón de pistas, como 9.*.*.*.* 8 Ahau 13 Pop.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The range is empty: its first day lies after its last.</source>
        <translation>El intervalo está vacío: su primer día cae después del último.</translation>
    </message>
    <message>
        <source>No day in the range matches.</source>
        <translation>Ningún día del intervalo concuerda.</translation>
    </message>
    <message>
        <source>The list stops at %1 of %2 matching days; raise &quot;List at most&quot; for more.</source>
        <translation>La lista se detiene en %1 de %2 días que concuerdan; aumente «Enumerar como mucho» para ver más.</translation>
    </message>
    <message>
        <source>One matching day.</source>
        <translation>Un día concuerda.</translation>
    </message>
    <message>
        <source>%1 matching days.</source>
        <translation>%1 días concuerdan.</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::SettingsBar</name>
    <message>
        <source>Gregorian</source>
        <translation>Gregoriano</translation>
    </message>
    <message>
        <source>Julian</source>
        <translation>Juliano</translation>
    </message>
    <message>
        <source>Historical</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Colonial (Ahau, Cumku)</source>
        <translation>Colonial (Ahau, Cumku)</translation>
    </message>
    <message>
        <source>Modern (Ajaw, Kumk&apos;u)</source>
        <translation>Moderna (Ajaw, Kumk&apos;u)</translation>
    </message>
    <message>
        <source>0-19 (seating)</source>
        <translation>0-19 (asiento)</translation>
    </message>
    <message>
        <source>1-20</source>
        <translation>1-20</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Custom JDN</source>
        <translation>JDN propio</translation>
    </message>
    <message>
        <source>JDN of 0.0.0.0.0</source>
        <translation>JDN de 0.0.0.0.0</translation>
    </message>
    <message>
        <source>Julian up to 4 October 1582, Gregorian from 15 October 1582</source>
        <translation>Juliano hasta el 4 de octubre de 1582, gregoriano desde el 15 de octubre de 1582</translation>
    </message>
    <message>
        <source>&amp;Correlation:</source>
        <translation>&amp;Correlación:</translation>
    </message>
    <message>
        <source>Ca&amp;lendar:</source>
        <translation>Ca&amp;lendario:</translation>
    </message>
    <message>
        <source>S&amp;pelling:</source>
        <translation>&amp;Ortografía:</translation>
    </message>
    <message>
        <source>&amp;Haab days:</source>
        <translation>Días del &amp;Haab:</translation>
    </message>
    <message>
        <source>Correlation</source>
        <translation>Correlación</translation>
    </message>
    <message>
        <source>The JDN of 0.0.0.0.0: a Long Count&apos;s day is its day count plus this number</source>
        <translation>El JDN de 0.0.0.0.0: el día de una Cuenta Larga es su cuenta de días más este número</translation>
    </message>
    <message>
        <source>Custom correlation JDN</source>
        <translation>JDN de la correlación propia</translation>
    </message>
    <message>
        <source>Western calendar</source>
        <translation>Calendario occidental</translation>
    </message>
    <message>
        <source>Spelling of the names</source>
        <translation>Ortografía de los nombres</translation>
    </message>
    <message>
        <source>Haab day numbering</source>
        <translation>Numeración de los días del Haab</translation>
    </message>
    <message>
        <source>0-19 counts a month&apos;s days from its seating, as scholars do; 1-20 as the Glyphbox window does</source>
        <translation>0-19 cuenta los días de un mes desde su asiento, como los especialistas; 1-20 como la ventana de Glyphbox</translation>
    </message>
    <message>
        <source>Custom correlation problem</source>
        <translation>Problema de la correlación propia</translation>
    </message>
    <message>
        <source>not a JDN: %1</source>
        <translation>no es un JDN: %1</translation>
    </message>
</context>
<context>
    <name>glyphbox::workbench::WorkbenchWindow</name>
    <message>
        <source>Glyphbox Workbench[*]</source>
        <translation>Glyphbox Workbench[*]</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Vistas</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Fecha</translation>
    </message>
    <message>
        <source>&amp;Inscription</source>
        <translation>&amp;Inscripción</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Búsqueda</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Copy the Day&apos;s Values</source>
        <translation>&amp;Copiar los valores del día</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Date View</source>
        <translation>Vista de &amp;fecha</translation>
    </message>
    <message>
        <source>&amp;Inscription View</source>
        <translation>Vista de &amp;inscripción</translation>
    </message>
    <message>
        <source>&amp;Search View</source>
        <translation>Vista de &amp;búsqueda</translation>
    </message>
    <message>
        <source>&amp;Go to the Input Line</source>
        <translation>&amp;Ir a la línea de entrada</translation>
    </message>
    <message>
        <source>Da&amp;y</source>
        <translation>&amp;Día</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Hoy</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;About Glyphbox Workbench</source>
        <translation>&amp;Acerca de Glyphbox Workbench</translation>
    </message>
    <message>
        <source>The day&apos;s values are on the clipboard.</source>
        <translation>Los valores del día están en el portapapeles.</translation>
    </message>
    <message>
        <source>About Glyphbox Workbench</source>
        <translation>Acerca de Glyphbox Workbench</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Glyphbox Workbench %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Dates of the Maya calendar and of the Gregorian, Julian and historical calendars, the worksheets of inscriptions and searches by clues, on the same library as glyphbox-cli.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Glyphbox Workbench %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Fechas del calendario maya y de los calendarios gregoriano, juliano e histórico, las hojas de trabajo de las inscripciones y las búsquedas por pistas, sobre la misma biblioteca que glyphbox-cli.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1[*] - Glyphbox Workbench</source>
        <translation>%1[*] - Glyphbox Workbench</translation>
    </message>
</context>
</TS>
