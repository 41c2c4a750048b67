<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DiagramWriter</name>
    <message>
        <source>the name has no suffix (.jpg, .png, .bmp, .svg or .pdf) to choose the format</source>
        <translation>der Name hat keine Endung (.jpg, .png, .bmp, .svg oder .pdf), die das Format bestimmt</translation>
    </message>
    <message>
        <source>no image format is known for the suffix &quot;.%1&quot;</source>
        <translation>für die Endung &quot;.%1&quot; ist kein Bildformat bekannt</translation>
    </message>
    <message>
        <source>the diagram has no area to draw on</source>
        <translation>das Diagramm hat keine Fläche zum Zeichnen</translation>
    </message>
    <message>
        <source>an image of %1 x %2 pixels does not fit in memory</source>
        <translation>ein Bild von %1 x %2 Pixeln passt nicht in den Speicher</translation>
    </message>
    <message>
        <source>Blur diagram</source>
        <translation>Unschärfediagramm</translation>
    </message>
    <message>
        <source>the SVG drawing could not be started</source>
        <translation>die SVG-Zeichnung konnte nicht begonnen werden</translation>
    </message>
    <message>
        <source>the PDF drawing could not be started</source>
        <translation>die PDF-Zeichnung konnte nicht begonnen werden</translation>
    </message>
    <message>
        <source>the PDF could not be completed</source>
        <translation>das PDF konnte nicht abgeschlossen werden</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>%1 is not a finite number (%2)</source>
        <translation>%1 ist keine endliche Zahl (%2)</translation>
    </message>
    <message>
        <source>%1 is %2, outside the choices 0 to %3</source>
        <translation>%1 ist %2, außerhalb der Auswahl 0 bis %3</translation>
    </message>
    <message>
        <source>The version</source>
        <translation>Die Version</translation>
    </message>
    <message>
        <source>The left border</source>
        <translation>Der linke Rand</translation>
    </message>
    <message>
        <source>Camera %1&apos;s focus distance</source>
        <translation>Die Fokusentfernung von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s f-number</source>
        <translation>Die Blende von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s focal length</source>
        <translation>Die Brennweite von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s circle of confusion</source>
        <translation>Der Zerstreuungskreis von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s sensor format</source>
        <translation>Das Sensorformat von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s pixel count</source>
        <translation>Die Pixelzahl von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s view distance</source>
        <translation>Der Betrachtungsabstand von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s form factor</source>
        <translation>Das Seitenverhältnis von Kamera %1</translation>
    </message>
    <message>
        <source>Camera %1&apos;s image width</source>
        <translation>Die Bildbreite von Kamera %1</translation>
    </message>
    <message>
        <source>The file holds %1 bytes; a project file has %2</source>
        <translation>Die Datei enthält %1 Bytes; eine Projektdatei hat %2</translation>
    </message>
    <message>
        <source>The record cannot be read</source>
        <translation>Der Datensatz kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>graph</name>
    <message>
        <source>Camera </source>
        <translation>Kamera </translation>
    </message>
    <message>
        <source>mm f/</source>
        <translation>mm f/</translation>
    </message>
    <message>
        <source> - Dist.: </source>
        <translation> - Entf.: </translation>
    </message>
    <message>
        <source>m - CoC: </source>
        <translation>m - CoC: </translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>inf. </source>
        <translation>∞ </translation>
    </message>
    <message>
        <source>Uz(inf): </source>
        <translation>Uz(∞): </translation>
    </message>
    <message>
        <source> - DOF: [</source>
        <translation> - ST: [</translation>
    </message>
    <message>
        <source> - </source>
        <translation> - </translation>
    </message>
    <message>
        <source>m] - Scale: 1:</source>
        <translation>m] - Maßstab: 1:</translation>
    </message>
    <message>
        <source>U  [-]</source>
        <translation>U  [-]</translation>
    </message>
    <message>
        <source>z</source>
        <translation>z</translation>
    </message>
    <message>
        <source>Distance [m]</source>
        <translation>Abstand [m]</translation>
    </message>
    <message>
        <source>Blur diagram</source>
        <translation>Unschärfediagramm</translation>
    </message>
    <message>
        <source>No camera is shown.</source>
        <translation>Keine Kamera wird gezeigt.</translation>
    </message>
    <message>
        <source>%1 %2; %3</source>
        <translation>%1 %2; %3</translation>
    </message>
</context>
<context>
    <name>mainWin</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source> m</source>
        <translation> m</translation>
    </message>
    <message>
        <source>Left Border</source>
        <translation>Linker Rand</translation>
    </message>
    <message>
        <source>Distance from Camera</source>
        <translation>Abstand ab Kamera</translation>
    </message>
    <message>
        <source>Distance from focus plane</source>
        <translation>Abstand ab Schärfeebene</translation>
    </message>
    <message>
        <source>Distance scale</source>
        <translation>Abstandsmaßstab</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;U&lt;/span&gt;&lt;span style=&quot; font-size:6pt;&quot;&gt;z&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;-Scale&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;U&lt;/span&gt;&lt;span style=&quot; font-size:6pt;&quot;&gt;z&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;-Maßstab&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <source>Camera 1</source>
        <translation>Kamera 1</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Apature</source>
        <translation>Blende</translation>
    </message>
    <message>
        <source>f/</source>
        <translation>f/</translation>
    </message>
    <message>
        <source>Focal length</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Circel of Confusion</source>
        <translation>Zerstreuungskreis</translation>
    </message>
    <message>
        <source>Set to hyperfocal</source>
        <translation>Auf hyperfokale Distanz</translation>
    </message>
    <message>
        <source>Calc with diffraction</source>
        <translation>Mit Beugung rechnen</translation>
    </message>
    <message>
        <source>Set by crop factor</source>
        <translation>Nach Cropfaktor</translation>
    </message>
    <message>
        <source>Set by pixel size</source>
        <translation>Nach Pixelgröße</translation>
    </message>
    <message>
        <source>Set by view distace</source>
        <translation>Nach Betrachtungsabstand</translation>
    </message>
    <message>
        <source>Lock Magnification</source>
        <translation>Maßstab festhalten</translation>
    </message>
    <message>
        <source>Set Coc by crop factor</source>
        <translation>Zerstreuungskreis nach Cropfaktor</translation>
    </message>
    <message>
        <source>Crop factor</source>
        <translation>Cropfaktor</translation>
    </message>
    <message>
        <source>56x56mm 6x6</source>
        <translation>56x56mm 6x6</translation>
    </message>
    <message>
        <source>48x35mm Digital-MF</source>
        <translation>48x35mm Digital-MF</translation>
    </message>
    <message>
        <source>45x30mm Leica S</source>
        <translation>45x30mm Leica S</translation>
    </message>
    <message>
        <source>1.0 Full Frame (3:2)</source>
        <translation>1.0 Vollformat (3:2)</translation>
    </message>
    <message>
        <source>1.3 APS-H (3:2)</source>
        <translation>1.3 APS-H (3:2)</translation>
    </message>
    <message>
        <source>1.5 APS-C (3:2)</source>
        <translation>1.5 APS-C (3:2)</translation>
    </message>
    <message>
        <source>1.6 APS-C (3:2)</source>
        <translation>1.6 APS-C (3:2)</translation>
    </message>
    <message>
        <source>2.0 Four Thirds (4:3)</source>
        <translation>2.0 Four Thirds (4:3)</translation>
    </message>
    <message>
        <source>2/3&quot; (4:3)</source>
        <translation>2/3&quot; (4:3)</translation>
    </message>
    <message>
        <source>1/1.8&quot; (4:3)</source>
        <translation>1/1.8&quot; (4:3)</translation>
    </message>
    <message>
        <source>1/2.5&quot; (4:3)</source>
        <translation>1/2.5&quot; (4:3)</translation>
    </message>
    <message>
        <source>1/2.7&quot; (4:3)</source>
        <translation>1/2.7&quot; (4:3)</translation>
    </message>
    <message>
        <source>1/3.2&quot; (4:3)</source>
        <translation>1/3.2&quot; (4:3)</translation>
    </message>
    <message>
        <source>1/3&quot; (4:3) </source>
        <translation>1/3&quot; (4:3) </translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Set CoC by pixel size</source>
        <translation>Zerstreuungskreis nach Pixelgröße</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>6 Mill. Pixel</source>
        <translation>6 Mio. Pixel</translation>
    </message>
    <message>
        <source>8 Mill. Pixel</source>
        <translation>8 Mio. Pixel</translation>
    </message>
    <message>
        <source>10 Mill. Pixel</source>
        <translation>10 Mio. Pixel</translation>
    </message>
    <message>
        <source>12 Mill. Pixel</source>
        <translation>12 Mio. Pixel</translation>
    </message>
    <message>
        <source>15 Mill. Pixel</source>
        <translation>15 Mio. Pixel</translation>
    </message>
    <message>
        <source>21 Mill. Pixel</source>
        <translation>21 Mio. Pixel</translation>
    </message>
    <message>
        <source>32 Mill. Pixel</source>
        <translation>32 Mio. Pixel</translation>
    </message>
    <message>
        <source>Set CoC by view distance</source>
        <translation>Zerstreuungskreis nach Betrachtungsabstand</translation>
    </message>
    <message>
        <source>View distance</source>
        <translation>Betrachtungsabstand</translation>
    </message>
    <message>
        <source>Form Factor</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>Image width</source>
        <translation>Bildbreite</translation>
    </message>
    <message>
        <source>---&gt;</source>
        <translation>---&gt;</translation>
    </message>
    <message>
        <source>&lt;---</source>
        <translation>&lt;---</translation>
    </message>
    <message>
        <source>&lt;---&gt;</source>
        <translation>&lt;---&gt;</translation>
    </message>
    <message>
        <source>Camera 2</source>
        <translation>Kamera 2</translation>
    </message>
    <message>
        <source>Set by view distance</source>
        <translation>Nach Betrachtungsabstand</translation>
    </message>
    <message>
        <source>Lock magnification</source>
        <translation>Maßstab festhalten</translation>
    </message>
    <message>
        <source>Set CoC by crop factor</source>
        <translation>Zerstreuungskreis nach Cropfaktor</translation>
    </message>
    <message>
        <source>Set CoC by Pixelsize</source>
        <translation>Zerstreuungskreis nach Pixelgröße</translation>
    </message>
    <message>
        <source>Sensor format</source>
        <translation>Sensorformat</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Vorel</translation>
    </message>
    <message>
        <source>Export to image</source>
        <translation>Als Bild exportieren</translation>
    </message>
    <message>
        <source>Tutorial</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Unknown sensor format</source>
        <translation>Unbekanntes Sensorformat</translation>
    </message>
    <message>
        <source>Image width must be greater than 0</source>
        <translation>Die Bildbreite muss größer als 0 sein</translation>
    </message>
    <message>
        <source>View distance must be greater than 0</source>
        <translation>Der Betrachtungsabstand muss größer als 0 sein</translation>
    </message>
    <message>
        <source>Unknown form factor</source>
        <translation>Unbekanntes Seitenverhältnis</translation>
    </message>
    <message>
        <source>Image (*.jpg *.png *.bmp)</source>
        <translation>Bild (*.jpg *.png *.bmp)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>Set to hyperfocal (none)</source>
        <translation>Auf hyperfokale Distanz (keine)</translation>
    </message>
    <message>
        <source>Set to hyperfocal (</source>
        <translation>Auf hyperfokale Distanz (</translation>
    </message>
    <message>
        <source>m)</source>
        <translation>m)</translation>
    </message>
    <message>
        <source>Vorel
Version </source>
        <translation>Vorel
Version </translation>
    </message>
    <message>
        <source>

Nutzungsbedingungen:
Vorel darf kostenlos genutzt und weitergegeben werden. Alle Berechnungen beruhen auf vereinfachten optischen Modellen; die Ergebnisse sind Richtwerte und ersetzen keine Probeaufnahme.
Die Nutzung erfolgt auf eigene Gefahr; eine Haftung für Schäden ist ausgeschlossen.

Hinweis: Anleitung und Hilfe finden Sie unter https://vorel.example.org/</source>
        <translation>

Nutzungsbedingungen:
Vorel darf kostenlos genutzt und weitergegeben werden. Alle Berechnungen beruhen auf vereinfachten optischen Modellen; die Ergebnisse sind Richtwerte und ersetzen keine Probeaufnahme.
Die Nutzung erfolgt auf eigene Gefahr; eine Haftung für Schäden ist ausgeschlossen.

Hinweis: Anleitung und Hilfe finden Sie unter https://vorel.example.org/</translation>
    </message>
    <message>
        <source>Vorel (*.vlp)</source>
        <translation>Vorel-Projekt (*.vlp)</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht gelesen werden:
%2.</translation>
    </message>
    <message>
        <source>Uz-Scale</source>
        <translation>Uz-Maßstab</translation>
    </message>
    <message>
        <source>Set CoC by</source>
        <translation>Zerstreuungskreis nach</translation>
    </message>
    <message>
        <source>Copy camera 1 to camera 2</source>
        <translation>Kamera 1 auf Kamera 2 kopieren</translation>
    </message>
    <message>
        <source>Copy camera 2 to camera 1</source>
        <translation>Kamera 2 auf Kamera 1 kopieren</translation>
    </message>
    <message>
        <source>Swap cameras</source>
        <translation>Kameras tauschen</translation>
    </message>
    <message>
        <source>focus distance</source>
        <translation>Fokusentfernung</translation>
    </message>
    <message>
        <source>f-number</source>
        <translation>Blendenzahl</translation>
    </message>
    <message>
        <source>focal length</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source>circle of confusion</source>
        <translation>Zerstreuungskreis</translation>
    </message>
    <message>
        <source>it is neither a photo nor a project</source>
        <translation>es ist weder ein Foto noch ein Projekt</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>the photo is cut short or damaged</source>
        <translation>das Foto ist abgeschnitten oder beschädigt</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>die Datei lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>%1 not used: %2.</source>
        <translation>%1 nicht übernommen: %2.</translation>
    </message>
    <message>
        <source>Camera %1 from %2</source>
        <translation>Kamera %1 aus %2</translation>
    </message>
    <message>
        <source>taken: %1</source>
        <translation>übernommen: %1</translation>
    </message>
    <message>
        <source>missing, left as they were: %1</source>
        <translation>fehlt, unverändert: %1</translation>
    </message>
    <message>
        <source>held to the range of its box: %1</source>
        <translation>auf den Bereich des Felds begrenzt: %1</translation>
    </message>
    <message>
        <source>Same framing as camera 1</source>
        <translation>Gleicher Bildausschnitt wie Kamera 1</translation>
    </message>
    <message>
        <source>Camera %1: holding the magnification needs a focus of %2 m; it stops at %3 m.</source>
        <translation>Kamera %1: Für den gleichen Abbildungsmaßstab wäre ein Fokus von %2 m nötig; er bleibt bei %3 m stehen.</translation>
    </message>
    <message>
        <source>Camera 1 must focus beyond its focal length to have a framing to match.</source>
        <translation>Kamera 1 muss weiter als ihre Brennweite fokussieren, damit es einen Bildausschnitt zum Angleichen gibt.</translation>
    </message>
    <message>
        <source>Camera 2 needs a focus of %1 m for the same framing; it stops at %2 m.</source>
        <translation>Kamera 2 bräuchte für den gleichen Bildausschnitt einen Fokus von %1 m; er bleibt bei %2 m stehen.</translation>
    </message>
    <message>
        <source>Camera 2 focused at %1 m: the same framing as camera 1.</source>
        <translation>Kamera 2 auf %1 m fokussiert: der gleiche Bildausschnitt wie Kamera 1.</translation>
    </message>
    <message>
        <source>en</source>
        <comment>the folder of the manual in this language</comment>
        <translation>de</translation>
    </message>
    <message>
        <source>The manual (%1) cannot be found. It is installed with Vorel; these folders do not hold it:
%2</source>
        <translation>Das Handbuch (%1) ist nicht zu finden. Es wird mit Vorel installiert; diese Ordner enthalten es nicht:
%2</translation>
    </message>
    <message>
        <source>Camera %1: with diffraction counted, the depth of field differs from the one shown by more than 10 %.</source>
        <translation>Kamera %1: Mit Beugung gerechnet weicht die Schärfentiefe um mehr als 10 % von der gezeigten ab.</translation>
    </message>
    <message>
        <source>Camera %1: at this close range the depth of field shown is more than 10 % off the exact one.</source>
        <translation>Kamera %1: In diesem Nahbereich weicht die gezeigte Schärfentiefe um mehr als 10 % von der exakten ab.</translation>
    </message>
    <message>
        <source>Vorel Planner gives the exact figures.</source>
        <translation>Vorel Planner gibt die exakten Werte.</translation>
    </message>
    <message>
        <source>The nearest distance the diagram shows, in metres (up to %1 m). It never comes closer than twice the longer focal length, where the blur stops meaning anything.</source>
        <translation>Die nächste Entfernung, die das Diagramm zeigt, in Metern (bis %1 m). Sie kommt nie näher als die doppelte längere Brennweite, wo die Unschärfe nichts mehr bedeutet.</translation>
    </message>
    <message>
        <source>Moves the diagram&apos;s left border in whole metres, from 1 m to 1000 m.</source>
        <translation>Verschiebt den linken Rand des Diagramms in ganzen Metern, von 1 m bis 1000 m.</translation>
    </message>
    <message>
        <source>The diagram&apos;s distances are measured from the camera.</source>
        <translation>Das Diagramm misst die Entfernungen ab der Kamera.</translation>
    </message>
    <message>
        <source>Distances measured from the plane of focus: not available in this version.</source>
        <translation>Entfernungen ab der Schärfenebene: in dieser Version nicht verfügbar.</translation>
    </message>
    <message>
        <source>Zoom of the distance axis, %1 to %2: one pixel of the diagram spans 51 minus this many millimetres, so further right shows less distance in more detail.</source>
        <translation>Zoom der Entfernungsachse, %1 bis %2: Ein Pixel des Diagramms umfasst 51 minus so viele Millimeter; weiter rechts zeigt also weniger Entfernung genauer.</translation>
    </message>
    <message>
        <source>Height in pixels of one unit of blur, %1 to %2. The blur U is the blur disc divided by the CoC; up to 1 counts as sharp.</source>
        <translation>Höhe einer Einheit Unschärfe in Pixeln, %1 bis %2. Die Unschärfe U ist der Unschärfekreis geteilt durch den Zerstreuungskreis; bis 1 gilt als scharf.</translation>
    </message>
    <message>
        <source>Copies camera 1&apos;s focus, f-number, focal length and CoC to camera 2.</source>
        <translation>Kopiert Fokus, Blende, Brennweite und Zerstreuungskreis von Kamera 1 nach Kamera 2.</translation>
    </message>
    <message>
        <source>Copies camera 2&apos;s focus, f-number, focal length and CoC to camera 1.</source>
        <translation>Kopiert Fokus, Blende, Brennweite und Zerstreuungskreis von Kamera 2 nach Kamera 1.</translation>
    </message>
    <message>
        <source>Swaps the focus, f-number, focal length and CoC of the two cameras.</source>
        <translation>Tauscht Fokus, Blende, Brennweite und Zerstreuungskreis der beiden Kameras.</translation>
    </message>
    <message>
        <source>Shows camera %1 in the diagram. Unchecked, the camera is left out and its inputs are off.</source>
        <translation>Zeigt Kamera %1 im Diagramm. Nicht angekreuzt bleibt die Kamera weg, und ihre Eingaben sind gesperrt.</translation>
    </message>
    <message>
        <source>Focus distance of camera %1, in metres from the camera (%2 m, in steps of 0.01 m).</source>
        <translation>Entfernung, auf die Kamera %1 fokussiert, in Metern ab der Kamera (%2 m, in Schritten von 0,01 m).</translation>
    </message>
    <message>
        <source>F-number N of camera %1 as marked on the lens (f/%2). A larger number gives more depth of field and more diffraction blur.</source>
        <translation>Blendenzahl N von Kamera %1, wie auf dem Objektiv angegeben (f/%2). Eine größere Zahl gibt mehr Schärfentiefe und mehr Beugungsunschärfe.</translation>
    </message>
    <message>
        <source>Focal length F of camera %1, in millimetres (%2 mm). The hyperfocal distance F² / (N c) grows with its square.</source>
        <translation>Brennweite F von Kamera %1, in Millimetern (%2 mm). Die hyperfokale Distanz F² / (N c) wächst mit ihrem Quadrat.</translation>
    </message>
    <message>
        <source>Circle of confusion c of camera %1, in millimetres (%2 mm): the largest blur disc that still counts as sharp (U ≤ 1). Type it in, or set it with the panel below.</source>
        <translation>Zerstreuungskreis c von Kamera %1, in Millimetern (%2 mm): der größte Unschärfekreis, der noch als scharf gilt (U ≤ 1). Eintippen oder mit dem Feld darunter setzen.</translation>
    </message>
    <message>
        <source>Focuses camera %1 at its hyperfocal distance F² / (N c), or with diffraction at the nearest focus that keeps 10 km sharp: from about half of it to infinity everything is then sharp.</source>
        <translation>Fokussiert Kamera %1 auf ihre hyperfokale Distanz F² / (N c), mit Beugung auf die nächste Entfernung, die 10 km scharf hält: Von etwa ihrer Hälfte bis unendlich ist dann alles scharf.</translation>
    </message>
    <message>
        <source>Counts camera %1&apos;s diffraction disc, 0.001342 mm per unit of f-number (2.44 times 550 nm), with the blur: the limits and the hyperfocal distance are then searched numerically.</source>
        <translation>Rechnet das Beugungsscheibchen von Kamera %1, 0,001342 mm je Blendenzahl (2,44 mal 550 nm), zur Unschärfe: Die Grenzen und die hyperfokale Distanz werden dann numerisch gesucht.</translation>
    </message>
    <message>
        <source>While ticked, a new focal length moves camera %1&apos;s focus so that the magnification, (s - F) / F, stays as it was.</source>
        <translation>Solange angekreuzt, verschiebt eine neue Brennweite den Fokus von Kamera %1 so, dass der Maßstab (s - F) / F bleibt, wie er war.</translation>
    </message>
    <message>
        <source>How camera %1&apos;s CoC is found: by crop factor, by pixel size or by view distance. The panel below changes with it; its Set button writes the CoC.</source>
        <translation>Wie der Zerstreuungskreis von Kamera %1 bestimmt wird: nach Cropfaktor, nach Pixelgröße oder nach Betrachtungsabstand. Das Feld darunter wechselt mit; seine Schaltfläche Setzen trägt den Wert ein.</translation>
    </message>
    <message>
        <source>Sensor format of camera %1. The crop-factor rule takes twice the pixel pitch of a 3:2 image of 4.17 million pixels on it.</source>
        <translation>Sensorformat von Kamera %1. Die Cropfaktor-Regel nimmt den doppelten Pixelabstand eines 3:2-Bildes von 4,17 Millionen Pixeln darauf.</translation>
    </message>
    <message>
        <source>Sets camera %1&apos;s CoC from the sensor format by the crop-factor rule.</source>
        <translation>Setzt den Zerstreuungskreis von Kamera %1 aus dem Sensorformat nach der Cropfaktor-Regel.</translation>
    </message>
    <message>
        <source>Sensor format of camera %1, for the pixel-size rule.</source>
        <translation>Sensorformat von Kamera %1, für die Pixelgrößen-Regel.</translation>
    </message>
    <message>
        <source>Pixel count of camera %1&apos;s sensor, in millions (Standard: 4.17). The CoC is twice the pixel pitch along the diagonal.</source>
        <translation>Pixelzahl des Sensors von Kamera %1, in Millionen (Standard: 4,17). Der Zerstreuungskreis ist der doppelte Pixelabstand entlang der Diagonale.</translation>
    </message>
    <message>
        <source>Sets camera %1&apos;s CoC to twice the pixel pitch of that sensor and pixel count.</source>
        <translation>Setzt den Zerstreuungskreis von Kamera %1 auf den doppelten Pixelabstand dieses Sensors und dieser Pixelzahl.</translation>
    </message>
    <message>
        <source>Distance from which camera %1&apos;s picture is viewed (%2), in the unit of the image width. A farther view allows a larger CoC.</source>
        <translation>Abstand, aus dem das Bild von Kamera %1 betrachtet wird (%2), in der Einheit der Bildbreite. Ein größerer Abstand erlaubt einen größeren Zerstreuungskreis.</translation>
    </message>
    <message>
        <source>Shape of camera %1&apos;s picture, 3:2 or 4:3: it gives the diagonal from the width.</source>
        <translation>Seitenverhältnis des Bildes von Kamera %1, 3:2 oder 4:3: Es ergibt die Diagonale aus der Breite.</translation>
    </message>
    <message>
        <source>Width of camera %1&apos;s picture as viewed (%2), in the unit of the view distance. A larger picture needs a smaller CoC.</source>
        <translation>Breite des betrachteten Bildes von Kamera %1 (%2), in der Einheit des Betrachtungsabstands. Ein größeres Bild braucht einen kleineren Zerstreuungskreis.</translation>
    </message>
    <message>
        <source>Sets camera %1&apos;s CoC for a full-frame picture of that width seen from that distance.</source>
        <translation>Setzt den Zerstreuungskreis von Kamera %1 für ein Vollformatbild dieser Breite aus diesem Abstand betrachtet.</translation>
    </message>
    <message>
        <source>Camera %1 focus distance</source>
        <translation>Kamera %1 Entfernung</translation>
    </message>
    <message>
        <source>Camera %1 f-number</source>
        <translation>Kamera %1 Blendenzahl</translation>
    </message>
    <message>
        <source>Camera %1 focal length</source>
        <translation>Kamera %1 Brennweite</translation>
    </message>
    <message>
        <source>Camera %1 circle of confusion</source>
        <translation>Kamera %1 Zerstreuungskreis</translation>
    </message>
    <message>
        <source>Camera %1 set to hyperfocal</source>
        <translation>Kamera %1 auf hyperfokale Distanz</translation>
    </message>
    <message>
        <source>Camera %1 calc with diffraction</source>
        <translation>Kamera %1 mit Beugung rechnen</translation>
    </message>
    <message>
        <source>Camera %1 lock magnification</source>
        <translation>Kamera %1 Maßstab festhalten</translation>
    </message>
    <message>
        <source>Camera %1 CoC method</source>
        <translation>Kamera %1 Art des Zerstreuungskreises</translation>
    </message>
    <message>
        <source>Camera %1 sensor format for the crop factor</source>
        <translation>Kamera %1 Sensorformat für den Cropfaktor</translation>
    </message>
    <message>
        <source>Camera %1 set CoC by crop factor</source>
        <translation>Kamera %1 Zerstreuungskreis nach Cropfaktor setzen</translation>
    </message>
    <message>
        <source>Camera %1 sensor format</source>
        <translation>Kamera %1 Sensorformat</translation>
    </message>
    <message>
        <source>Camera %1 pixel count</source>
        <translation>Kamera %1 Pixelzahl</translation>
    </message>
    <message>
        <source>Camera %1 set CoC by pixel size</source>
        <translation>Kamera %1 Zerstreuungskreis nach Pixelgröße setzen</translation>
    </message>
    <message>
        <source>Camera %1 view distance</source>
        <translation>Kamera %1 Betrachtungsabstand</translation>
    </message>
    <message>
        <source>Camera %1 picture shape</source>
        <translation>Kamera %1 Seitenverhältnis</translation>
    </message>
    <message>
        <source>Camera %1 image width</source>
        <translation>Kamera %1 Bildbreite</translation>
    </message>
    <message>
        <source>Camera %1 set CoC by view distance</source>
        <translation>Kamera %1 Zerstreuungskreis nach Betrachtungsabstand setzen</translation>
    </message>
    <message>
        <source>Camera %1: %2</source>
        <translation>Kamera %1: %2</translation>
    </message>
    <message>
        <source>Distance scale value</source>
        <translation>Wert des Abstandsmaßstabs</translation>
    </message>
    <message>
        <source>One pixel of the diagram spans %1 mm of distance.</source>
        <translation>Ein Pixel des Diagramms umfasst %1 mm Entfernung.</translation>
    </message>
    <message>
        <source>Uz-Scale value</source>
        <translation>Wert des Uz-Maßstabs</translation>
    </message>
    <message>
        <source>A blur of one CoC (U = 1) is %1 pixels high.</source>
        <translation>Eine Unschärfe von einem Zerstreuungskreis (U = 1) ist %1 Pixel hoch.</translation>
    </message>
</context>
</TS>
