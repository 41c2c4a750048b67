<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BestAperturePage</name>
    <message>
        <source>Focus distance</source>
        <translation>Fokusabstand</translation>
    </message>
    <message>
        <source>Best aperture</source>
        <translation>Beste Blende</translation>
    </message>
    <message>
        <source>Sharp apertures</source>
        <translation>Scharfe Blenden</translation>
    </message>
    <message>
        <source>Focus &amp;distance</source>
        <translation>Fokus&amp;abstand</translation>
    </message>
    <message>
        <source>Best ape&amp;rture</source>
        <translation>Bes&amp;te Blende</translation>
    </message>
    <message>
        <source>Sharp a&amp;pertures</source>
        <translation>Scha&amp;rfe Blenden</translation>
    </message>
    <message>
        <source>Worst blur chart</source>
        <translation>Diagramm der größten Unschärfe</translation>
    </message>
    <message>
        <source>Nothing is sharp at any f-number: a CoC of at least %1 mm or a far distance of %2 would do</source>
        <translation>Bei keiner Blende ist alles scharf: ein Zerstreuungskreis von mindestens %1 mm oder eine Fern-Entfernung von %2 würde reichen</translation>
    </message>
    <message>
        <source>Nothing is sharp at any f-number: a CoC of at least %1 mm or a near distance of %2 would do</source>
        <translation>Bei keiner Blende ist alles scharf: ein Zerstreuungskreis von mindestens %1 mm oder eine Nah-Entfernung von %2 würde reichen</translation>
    </message>
    <message>
        <source>The near and far distances are too close together, or too extreme, to tell apart at this focal length.</source>
        <translation>Nah- und Fern-Entfernung liegen zu dicht beieinander oder sind zu extrem, um sie bei dieser Brennweite zu unterscheiden.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>%1 (working %2 at %3), worst blur %4 CoC</source>
        <translation>%1 (wirksam %2 bei %3), größte Unschärfe %4 Zerstreuungskreise</translation>
    </message>
</context>
<context>
    <name>CameraList</name>
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
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>There is no chart to export.</source>
        <translation>Es gibt kein Diagramm zum Exportieren.</translation>
    </message>
    <message>
        <source>&amp;Export chart...</source>
        <translation>Diagramm &amp;exportieren...</translation>
    </message>
    <message>
        <source>Export chart</source>
        <translation>Diagramm exportieren</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</source>
        <translation>PNG-Bild (*.png);;SVG-Zeichnung (*.svg);;PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Vorel Planner</source>
        <translation>Vorel Planer</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
</context>
<context>
    <name>CommonInputs</name>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Far at &amp;infinity</source>
        <translation>Fern bis unend&amp;lich</translation>
    </message>
    <message>
        <source>Metres</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>Far at infinity</source>
        <translation>Fern bis unendlich</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Kamera</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>F&amp;ocal length</source>
        <translation>Brenn&amp;weite</translation>
    </message>
    <message>
        <source>Focal length</source>
        <translation>Brennweite</translation>
    </message>
    <message>
        <source>Circ&amp;le of confusion</source>
        <translation>Zerstreu&amp;ungskreis</translation>
    </message>
    <message>
        <source>Circle of confusion</source>
        <translation>Zerstreuungskreis</translation>
    </message>
    <message>
        <source>&amp;Near distance</source>
        <translation>&amp;Nah-Entfernung</translation>
    </message>
    <message>
        <source>Near distance</source>
        <translation>Nah-Entfernung</translation>
    </message>
    <message>
        <source>F&amp;ar distance</source>
        <translation>F&amp;ern-Entfernung</translation>
    </message>
    <message>
        <source>Far distance</source>
        <translation>Fern-Entfernung</translation>
    </message>
    <message>
        <source>&amp;Units</source>
        <translation>Ein&amp;heiten</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Camera problem</source>
        <translation>Problem mit der Kamera</translation>
    </message>
    <message>
        <source>No camera matches &quot;%1&quot;; the camera stays %2 and the CoC %3.</source>
        <translation>Keine Kamera passt zu „%1“; die Kamera bleibt %2 und der Zerstreuungskreis %3.</translation>
    </message>
    <message>
        <source>The camera or sensor format: type part of its name to find it. Choosing one sets the circle of confusion by its crop factor.</source>
        <translation>Die Kamera oder das Sensorformat: einen Teil des Namens tippen, um sie zu finden. Die Wahl setzt den Zerstreuungskreis nach ihrem Crop-Faktor.</translation>
    </message>
    <message>
        <source>The lens&apos;s focal length, as set on a zoom.</source>
        <translation>Die Brennweite des Objektivs, wie am Zoom eingestellt.</translation>
    </message>
    <message>
        <source>The largest blur disc on the sensor that still counts as sharp; the camera sets it, and it can be typed.</source>
        <translation>Der größte Unschärfekreis auf dem Sensor, der noch als scharf gilt; die Kamera setzt ihn, er kann auch eingegeben werden.</translation>
    </message>
    <message>
        <source>The range reaches to infinity: the far distance is not used.</source>
        <translation>Der Bereich reicht bis unendlich: die ferne Entfernung wird nicht verwendet.</translation>
    </message>
    <message>
        <source>The unit of all distances, metres or feet; the planner remembers it.</source>
        <translation>Die Einheit aller Entfernungen, Meter oder Fuß; der Planer merkt sie sich.</translation>
    </message>
    <message>
        <source>The nearest distance that must be sharp, measured from the lens.</source>
        <translation>Die nächste Entfernung, die scharf sein muss, vom Objektiv aus gemessen.</translation>
    </message>
    <message>
        <source>The farthest distance that must be sharp, measured from the lens.</source>
        <translation>Die fernste Entfernung, die scharf sein muss, vom Objektiv aus gemessen.</translation>
    </message>
</context>
<context>
    <name>FocusStackPage</name>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Include &amp;diffraction</source>
        <translation>Beugung e&amp;inbeziehen</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>Include diffraction</source>
        <translation>Beugung einbeziehen</translation>
    </message>
    <message>
        <source>Ape&amp;rture</source>
        <translation>Blenden&amp;zahl</translation>
    </message>
    <message>
        <source>Aperture</source>
        <translation>Blendenzahl</translation>
    </message>
    <message>
        <source>O&amp;verlap</source>
        <translation>Überla&amp;ppung</translation>
    </message>
    <message>
        <source>Overlap</source>
        <translation>Überlappung</translation>
    </message>
    <message>
        <source>Pupil ma&amp;gnification</source>
        <translation>Pupillen&amp;vergrößerung</translation>
    </message>
    <message>
        <source>Pupil magnification</source>
        <translation>Pupillenvergrößerung</translation>
    </message>
    <message>
        <source>Fra&amp;mes</source>
        <translation>Aufnah&amp;men</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Near</source>
        <translation>Nah</translation>
    </message>
    <message>
        <source>Far</source>
        <translation>Fern</translation>
    </message>
    <message>
        <source>Frame table</source>
        <translation>Tabelle der Aufnahmen</translation>
    </message>
    <message>
        <source>Sharp zones chart</source>
        <translation>Diagramm der scharfen Bereiche</translation>
    </message>
    <message>
        <source>Cop&amp;y table</source>
        <translation>Tabelle k&amp;opieren</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>CSV e&amp;xportieren...</translation>
    </message>
    <message>
        <source>At %1 diffraction alone fills the CoC, so nothing is sharp: f-numbers up to %2 would do.</source>
        <translation>Bei %1 füllt schon die Beugung den Zerstreuungskreis, nichts ist scharf: Blenden bis %2 würden reichen.</translation>
    </message>
    <message>
        <source>At %1 diffraction alone fills the CoC, so nothing is sharp, and not even f/1 would do with this CoC.</source>
        <translation>Bei %1 füllt schon die Beugung den Zerstreuungskreis, nichts ist scharf, und mit diesem Zerstreuungskreis reicht nicht einmal f/1.</translation>
    </message>
    <message>
        <source>The stack would need more than %1 frames: a larger f-number, a larger CoC or a shorter range would do.</source>
        <translation>Der Stapel bräuchte mehr als %1 Aufnahmen: eine größere Blendenzahl, ein größerer Zerstreuungskreis oder ein kürzerer Bereich würde reichen.</translation>
    </message>
    <message>
        <source>The near and far distances are too close together, or too extreme, to tell apart at this focal length.</source>
        <translation>Nah- und Fern-Entfernung liegen zu dicht beieinander oder sind zu extrem, um sie bei dieser Brennweite zu unterscheiden.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Export frames</source>
        <translation>Aufnahmen exportieren</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV-Tabelle (*.csv)</translation>
    </message>
    <message>
        <source>Vorel Planner</source>
        <translation>Vorel Planer</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>%1 (working %2 at %3 at the near distance)</source>
        <translation>%1 (wirksam %2 bei %3 an der Nah-Entfernung)</translation>
    </message>
    <message>
        <source>%1 µm</source>
        <translation>%1 µm</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source> ×</source>
        <translation> ×</translation>
    </message>
    <message>
        <source>Refocus the lens</source>
        <translation>Objektiv neu fokussieren</translation>
    </message>
    <message>
        <source>Focusing rail</source>
        <translation>Einstellschlitten</translation>
    </message>
    <message>
        <source>&amp;Plan</source>
        <translation>Ve&amp;rfahren</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>Frame &amp;1 magnification</source>
        <translation>Maßstab Aufnahme &amp;1</translation>
    </message>
    <message>
        <source>Frame 1 magnification</source>
        <translation>Abbildungsmaßstab Aufnahme 1</translation>
    </message>
    <message>
        <source>Wor&amp;king aperture</source>
        <translation>Effek&amp;tive Blende</translation>
    </message>
    <message>
        <source>Working aperture</source>
        <translation>Effektive Blende</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Distances are measured from the lens where frame 1 is taken; the lens keeps its focus and the camera moves towards the subject by each step.</source>
        <translation>Entfernungen gelten ab dem Objektiv bei Aufnahme 1; das Objektiv behält seinen Fokus, und die Kamera rückt um jeden Schritt näher an das Motiv.</translation>
    </message>
    <message>
        <source>Distances are measured from the lens; the lens is refocused for each frame, by each step of its focus distance.</source>
        <translation>Entfernungen gelten ab dem Objektiv; das Objektiv wird für jede Aufnahme neu fokussiert, um jeden Schritt seines Fokusabstands.</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 bei %2</translation>
    </message>
    <message>
        <source>%1 (frame 1) to %2</source>
        <translation>%1 (Aufnahme 1) bis %2</translation>
    </message>
    <message>
        <source>How the focus moves from frame to frame: the lens is refocused, or the camera moves on a focusing rail with the lens&apos;s focus fixed.</source>
        <translation>Wie sich der Fokus von Aufnahme zu Aufnahme verschiebt: das Objektiv wird neu fokussiert, oder die Kamera fährt auf einem Einstellschlitten bei festem Fokus.</translation>
    </message>
    <message>
        <source>The f-number set on the lens for every frame; the arrows step by third stops.</source>
        <translation>Die am Objektiv eingestellte Blendenzahl für jede Aufnahme; die Pfeile gehen in Drittelstufen.</translation>
    </message>
    <message>
        <source>How much of each frame&apos;s sharp zone its neighbour shares, in per cent of the zone.</source>
        <translation>Wie viel vom scharfen Bereich jeder Aufnahme die benachbarte teilt, in Prozent des Bereichs.</translation>
    </message>
    <message>
        <source>Adds the blur of diffraction at the working f-number to the blur of focus, as at high magnification it matters.</source>
        <translation>Rechnet die Beugungsunschärfe bei der wirksamen Blendenzahl zur Fokusunschärfe hinzu; bei großem Abbildungsmaßstab zählt sie.</translation>
    </message>
    <message>
        <source>The lens&apos;s exit pupil over its entrance pupil: 1 for a symmetric lens, below 1 for most telephoto and macro lenses. It sets the working f-number at close range.</source>
        <translation>Austrittspupille durch Eintrittspupille des Objektivs: 1 bei einem symmetrischen Objektiv, unter 1 bei den meisten Tele- und Makroobjektiven. Sie bestimmt die wirksame Blendenzahl im Nahbereich.</translation>
    </message>
    <message>
        <source>The magnification of frame 1, at the near distance; typing one sets the near distance.</source>
        <translation>Der Abbildungsmaßstab der Aufnahme 1 in der nahen Entfernung; eine Eingabe setzt die nahe Entfernung.</translation>
    </message>
    <message>
        <source>Copies the frame table as CSV, in vorel-calc&apos;s columns, to paste into a spreadsheet.</source>
        <translation>Kopiert die Tabelle der Aufnahmen als CSV in den Spalten von vorel-calc, zum Einfügen in eine Tabellenkalkulation.</translation>
    </message>
    <message>
        <source>Saves the frame table as a CSV file in vorel-calc&apos;s columns.</source>
        <translation>Speichert die Tabelle der Aufnahmen als CSV-Datei in den Spalten von vorel-calc.</translation>
    </message>
</context>
<context>
    <name>PhotoPage</name>
    <message>
        <source>Photo settings</source>
        <translation>Foto-Einstellungen</translation>
    </message>
    <message>
        <source>Photo depth of field</source>
        <translation>Schärfentiefe des Fotos</translation>
    </message>
    <message>
        <source>Second photo</source>
        <translation>Zweites Foto</translation>
    </message>
    <message>
        <source>Plan &amp;with these settings</source>
        <translation>Mit diesen Einstellungen &amp;planen</translation>
    </message>
    <message>
        <source>Sa&amp;ve as project...</source>
        <translation>Als Pro&amp;jekt speichern...</translation>
    </message>
    <message>
        <source>O&amp;pen photo...</source>
        <translation>F&amp;oto öffnen...</translation>
    </message>
    <message>
        <source>Open a photo, or drop one here, to see how it was taken.</source>
        <translation>Öffnen Sie ein Foto oder legen Sie es hier ab, um zu sehen, wie es aufgenommen wurde.</translation>
    </message>
    <message>
        <source>Photo settin&amp;gs</source>
        <translation>Foto-Eins&amp;tellungen</translation>
    </message>
    <message>
        <source>Photo depth of fi&amp;eld</source>
        <translation>S&amp;chärfentiefe des Fotos</translation>
    </message>
    <message>
        <source>Secon&amp;d photo</source>
        <translation>&amp;Zweites Foto</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 does not say which focal length and f-number it was taken with.</source>
        <translation>%1 verrät nicht, mit welcher Brennweite und Blende es aufgenommen wurde.</translation>
    </message>
    <message>
        <source>%1 mm at %2</source>
        <translation>%1 mm bei %2</translation>
    </message>
    <message>
        <source>%1, focused at %2</source>
        <translation>%1, fokussiert auf %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>no photo</source>
        <translation>kein Foto</translation>
    </message>
    <message>
        <source>%1 to %2 (CoC %3 mm)</source>
        <translation>%1 bis %2 (Zerstreuungskreis %3 mm)</translation>
    </message>
    <message>
        <source>unknown: the photo does not say where it was focused</source>
        <translation>unbekannt: das Foto verrät nicht, worauf fokussiert wurde</translation>
    </message>
    <message>
        <source>There is no photo to save.</source>
        <translation>Es gibt kein Foto zum Speichern.</translation>
    </message>
    <message>
        <source>Open photo</source>
        <translation>Foto öffnen</translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.tif *.tiff *.dng *.cr2 *.cr3 *.nef *.arw *.orf *.rw2 *.raf *.pef);;All files (*)</source>
        <translation>Fotos (*.jpg *.jpeg *.tif *.tiff *.dng *.cr2 *.cr3 *.nef *.arw *.orf *.rw2 *.raf *.pef);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save as project</source>
        <translation>Als Projekt speichern</translation>
    </message>
    <message>
        <source>Vorel projects (*.vlp)</source>
        <translation>Vorel-Projekte (*.vlp)</translation>
    </message>
    <message>
        <source>Vorel Planner</source>
        <translation>Vorel Planer</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>focus from the %1</source>
        <translation>Fokus aus: %1</translation>
    </message>
    <message>
        <source>%1, within %2 to %3</source>
        <translation>%1, zwischen %2 und %3</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Saved; as the window starts: %1</source>
        <translation>Gespeichert; wie beim Start des Fensters: %1</translation>
    </message>
    <message>
        <source>Opens a JPEG, TIFF, HEIC or raw photo to read how it was taken; up to two are kept.</source>
        <translation>Öffnet ein JPEG-, TIFF-, HEIC- oder Raw-Foto und liest, wie es aufgenommen wurde; bis zu zwei werden behalten.</translation>
    </message>
    <message>
        <source>Fills the camera, focal length, aperture and range above from the latest photo.</source>
        <translation>Übernimmt Kamera, Brennweite, Blende und Bereich oben aus dem neuesten Foto.</translation>
    </message>
    <message>
        <source>Saves the photos&apos; settings as a project for the Vorel window: the latest as camera 1, the one before as camera 2.</source>
        <translation>Speichert die Einstellungen der Fotos als Projekt für das Vorel-Fenster: das neueste als Kamera 1, das davor als Kamera 2.</translation>
    </message>
</context>
<context>
    <name>PhotoReader</name>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>is a link to nothing</source>
        <translation>ist eine Verknüpfung ins Leere</translation>
    </message>
    <message>
        <source>is a folder, not a photo</source>
        <translation>ist ein Ordner, kein Foto</translation>
    </message>
    <message>
        <source>is a special file (a pipe, socket or device), not a photo</source>
        <translation>ist eine Spezialdatei (Pipe, Socket oder Gerät), kein Foto</translation>
    </message>
    <message>
        <source>is empty, not a photo</source>
        <translation>ist leer, kein Foto</translation>
    </message>
    <message>
        <source>is a video, not a photo</source>
        <translation>ist ein Video, kein Foto</translation>
    </message>
    <message>
        <source>is cut short: the file ends early</source>
        <translation>ist abgeschnitten: die Datei endet zu früh</translation>
    </message>
    <message>
        <source>is cut short: the image ends early</source>
        <translation>ist abgeschnitten: das Bild endet zu früh</translation>
    </message>
    <message>
        <source>is not a photo of a kind this program reads</source>
        <translation>ist kein Foto einer Art, die dieses Programm liest</translation>
    </message>
    <message>
        <source>too many boxes</source>
        <translation>zu viele Boxen</translation>
    </message>
    <message>
        <source>its metadata lies beyond the end of the file</source>
        <translation>seine Metadaten liegen hinter dem Dateiende</translation>
    </message>
    <message>
        <source>its metadata cannot be read</source>
        <translation>seine Metadaten können nicht gelesen werden</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>es kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>a box is cut short</source>
        <translation>eine Box ist abgeschnitten</translation>
    </message>
    <message>
        <source>a box has an impossible size</source>
        <translation>eine Box hat eine unmögliche Größe</translation>
    </message>
    <message>
        <source>a box reaches beyond the end of the file</source>
        <translation>eine Box reicht über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>a box reaches beyond the box holding it</source>
        <translation>eine Box reicht über die Box hinaus, die sie enthält</translation>
    </message>
    <message>
        <source>it has no metadata box</source>
        <translation>es hat keine Metadaten-Box</translation>
    </message>
    <message>
        <source>it has no Canon metadata</source>
        <translation>es hat keine Canon-Metadaten</translation>
    </message>
    <message>
        <source>its Exif item cannot be located</source>
        <translation>sein Exif-Eintrag ist nicht zu finden</translation>
    </message>
    <message>
        <source>its Exif item lies beyond the end of the file</source>
        <translation>sein Exif-Eintrag liegt hinter dem Dateiende</translation>
    </message>
    <message>
        <source>its Exif item is damaged</source>
        <translation>sein Exif-Eintrag ist beschädigt</translation>
    </message>
    <message>
        <source>subject distance</source>
        <translation>Motivabstand</translation>
    </message>
    <message>
        <source>Canon focus range</source>
        <translation>Canon-Fokusbereich</translation>
    </message>
    <message>
        <source>Nikon focus distance</source>
        <translation>Nikon-Fokusabstand</translation>
    </message>
    <message>
        <source>Olympus focus distance</source>
        <translation>Olympus-Fokusabstand</translation>
    </message>
    <message>
        <source>Minolta focus distance</source>
        <translation>Minolta-Fokusabstand</translation>
    </message>
    <message>
        <source>Casio object distance</source>
        <translation>Casio-Objektabstand</translation>
    </message>
    <message>
        <source>Sony focus position</source>
        <translation>Sony-Fokusposition</translation>
    </message>
    <message>
        <source>Apple focus range</source>
        <translation>Apple-Fokusbereich</translation>
    </message>
    <message>
        <source>Leica focus distance</source>
        <translation>Leica-Fokusabstand</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is cut short or damaged (%1)</source>
        <translation>ist abgeschnitten oder beschädigt (%1)</translation>
    </message>
</context>
<context>
    <name>PlannerCharts</name>
    <message>
        <source>No chart: the range cannot be planned.</source>
        <translation>Kein Diagramm: der Bereich lässt sich nicht planen.</translation>
    </message>
    <message>
        <source>f-number</source>
        <translation>Blendenzahl</translation>
    </message>
    <message>
        <source>worst blur (CoC)</source>
        <translation>größte Unschärfe (Zerstreuungskreise)</translation>
    </message>
    <message>
        <source>CoC</source>
        <translation>Zerstreuungskreis</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Worst blur over the range at the best focus, in units of the CoC, at the third stops from f/1 to f/64: %1. The CoC line is at 1. Best aperture %2 with %3.</source>
        <translation>Größte Unschärfe im Bereich beim besten Fokus, in Zerstreuungskreisen, bei den Drittelstufen von f/1 bis f/64: %1. Die Linie des Zerstreuungskreises liegt bei 1. Beste Blende %2 mit %3.</translation>
    </message>
    <message>
        <source>Sharp from %1 to %2.</source>
        <translation>Scharf von %1 bis %2.</translation>
    </message>
    <message>
        <source>No f-number is sharp.</source>
        <translation>Keine Blende ist scharf.</translation>
    </message>
    <message>
        <source>No chart: there is no stack to show.</source>
        <translation>Kein Diagramm: es gibt keinen Stapel zu zeigen.</translation>
    </message>
    <message>
        <source>distance (%1)</source>
        <translation>Entfernung (%1)</translation>
    </message>
    <message>
        <source>frame %1 focused at %2, sharp from %3 to %4</source>
        <translation>Aufnahme %1 fokussiert auf %2, scharf von %3 bis %4</translation>
    </message>
    <message>
        <source>One frame covers %1 to %2: %3.</source>
        <translation>Eine Aufnahme deckt %1 bis %2 ab: %3.</translation>
    </message>
    <message>
        <source>Sharp zones of %1 frames covering %2 to %3: %4.</source>
        <translation>Scharfe Bereiche von %1 Aufnahmen über %2 bis %3: %4.</translation>
    </message>
    <message>
        <source>%1; and %2 frames more</source>
        <translation>%1; und %2 weitere Aufnahmen</translation>
    </message>
    <message>
        <source>No chart: both cameras need a subject to frame.</source>
        <translation>Kein Diagramm: Beide Kameras brauchen ein Motiv im Bildausschnitt.</translation>
    </message>
    <message>
        <source>background behind the subject (%1)</source>
        <translation>Hintergrund hinter dem Motiv (%1)</translation>
    </message>
    <message>
        <source>background blur (% of frame width)</source>
        <translation>Hintergrundunschärfe (% der Bildbreite)</translation>
    </message>
    <message>
        <source>first camera</source>
        <translation>erste Kamera</translation>
    </message>
    <message>
        <source>second camera</source>
        <translation>zweite Kamera</translation>
    </message>
    <message>
        <source>Background blur in percent of the frame width against the background&apos;s distance behind the subject. At %1: first camera %2 %, second camera %3 %. At infinity: %4 % and %5 %.</source>
        <translation>Hintergrundunschärfe in Prozent der Bildbreite über dem Abstand des Hintergrunds hinter dem Motiv. Bei %1: erste Kamera %2 %, zweite Kamera %3 %. Bei unendlich: %4 % und %5 %.</translation>
    </message>
    <message>
        <source>%1: worst blur %2 CoC</source>
        <translation>%1: größte Unschärfe %2 Zerstreuungskreise</translation>
    </message>
    <message>
        <source>Frame %1: focused at %2, sharp from %3 to %4</source>
        <translation>Aufnahme %1: fokussiert auf %2, scharf von %3 bis %4</translation>
    </message>
    <message>
        <source>First camera</source>
        <translation>Erste Kamera</translation>
    </message>
    <message>
        <source>Second camera</source>
        <translation>Zweite Kamera</translation>
    </message>
    <message>
        <source>%1: background %2 behind the subject, blur %3 % of the frame width</source>
        <translation>%1: Hintergrund %2 hinter dem Motiv, Unschärfe %3 % der Bildbreite</translation>
    </message>
</context>
<context>
    <name>PlannerFields</name>
    <message>
        <source>From %1 to %2.</source>
        <translation>Von %1 bis %2.</translation>
    </message>
</context>
<context>
    <name>PlannerInputs</name>
    <message>
        <source>Focal length and circle of confusion must be greater than zero.</source>
        <translation>Brennweite und Zerstreuungskreis müssen größer als null sein.</translation>
    </message>
    <message>
        <source>The near distance must lie beyond the focal length.</source>
        <translation>Die Nah-Entfernung muss jenseits der Brennweite liegen.</translation>
    </message>
    <message>
        <source>The far distance must lie beyond the near distance.</source>
        <translation>Die Fern-Entfernung muss jenseits der Nah-Entfernung liegen.</translation>
    </message>
</context>
<context>
    <name>PlannerPrint</name>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
</context>
<context>
    <name>PlannerText</name>
    <message>
        <source>infinity</source>
        <translation>unendlich</translation>
    </message>
</context>
<context>
    <name>PlannerWindow</name>
    <message>
        <source>Vorel Planner</source>
        <translation>Vorel Planer</translation>
    </message>
    <message>
        <source>Camera and range</source>
        <translation>Kamera und Bereich</translation>
    </message>
    <message>
        <source>&amp;Best aperture</source>
        <translation>&amp;Beste Blende</translation>
    </message>
    <message>
        <source>Focus &amp;stack</source>
        <translation>Fokus-&amp;Stapel</translation>
    </message>
    <message>
        <source>P&amp;hoto</source>
        <translation>&amp;Foto</translation>
    </message>
    <message>
        <source>Same pic&amp;ture</source>
        <translation>&amp;Gleiches Bild</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>the camera (not in the camera database; the CoC of the photo&apos;s own crop factor, %1, is used)</source>
        <translation>die Kamera (nicht in der Kameradatenbank; der Zerstreuungskreis nach dem eigenen Crop-Faktor des Fotos, %1, gilt)</translation>
    </message>
    <message>
        <source>the camera and its crop factor (the camera and CoC stay as they were)</source>
        <translation>die Kamera und ihr Crop-Faktor (Kamera und Zerstreuungskreis bleiben, wie sie waren)</translation>
    </message>
    <message>
        <source>the focus distance (the range to plan stays as it was)</source>
        <translation>die Entfernung (der zu planende Bereich bleibt, wie er war)</translation>
    </message>
    <message>
        <source>Not taken from the photo: %1.</source>
        <translation>Nicht aus dem Foto übernommen: %1.</translation>
    </message>
    <message>
        <source>&amp;Print page...</source>
        <translation>Seite &amp;drucken...</translation>
    </message>
    <message>
        <source>Prints the page in view, its figures, chart and table, on a printer or to a PDF file</source>
        <translation>Druckt die angezeigte Seite mit Werten, Diagramm und Tabelle auf einem Drucker oder in eine PDF-Datei</translation>
    </message>
    <message>
        <source>Vorel Planner: %1</source>
        <translation>Vorel Planer: %1</translation>
    </message>
    <message>
        <source>Print page</source>
        <translation>Seite drucken</translation>
    </message>
</context>
<context>
    <name>SamePicturePage</name>
    <message>
        <source>Equivalent focal length</source>
        <translation>Äquivalente Brennweite</translation>
    </message>
    <message>
        <source>Equivalent aperture</source>
        <translation>Äquivalente Blendenzahl</translation>
    </message>
    <message>
        <source>Equivalent circle of confusion</source>
        <translation>Äquivalenter Zerstreuungskreis</translation>
    </message>
    <message>
        <source>First camera&apos;s sharp zone</source>
        <translation>Scharfer Bereich der ersten Kamera</translation>
    </message>
    <message>
        <source>Second camera&apos;s sharp zone</source>
        <translation>Scharfer Bereich der zweiten Kamera</translation>
    </message>
    <message>
        <source>Second ca&amp;mera</source>
        <translation>&amp;Zweite Kamera</translation>
    </message>
    <message>
        <source>Second camera</source>
        <translation>Zweite Kamera</translation>
    </message>
    <message>
        <source>Ape&amp;rture of the first</source>
        <translation>Blendenzahl der e&amp;rsten</translation>
    </message>
    <message>
        <source>Aperture</source>
        <translation>Blendenzahl</translation>
    </message>
    <message>
        <source>Equivalent focal len&amp;gth</source>
        <translation>Äquivalente Brennwei&amp;te</translation>
    </message>
    <message>
        <source>Equivalent a&amp;perture</source>
        <translation>Äquiv&amp;alente Blendenzahl</translation>
    </message>
    <message>
        <source>E&amp;quivalent circle of confusion</source>
        <translation>Ä&amp;quivalenter Zerstreuungskreis</translation>
    </message>
    <message>
        <source>First camera&apos;s sharp &amp;zone</source>
        <translation>S&amp;charfer Bereich, erste Kamera</translation>
    </message>
    <message>
        <source>S&amp;econd camera&apos;s sharp zone</source>
        <translation>Scharfer Bereich, zweite Ka&amp;mera</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Choose both cameras and a focal length, f-number and CoC greater than zero.</source>
        <translation>Wählen Sie beide Kameras und eine Brennweite, Blendenzahl und einen Zerstreuungskreis über null.</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>The sharp zones need a range that can be planned.</source>
        <translation>Die scharfen Bereiche brauchen einen Bereich, der sich planen lässt.</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>Both focused at %1, the best focus for the range.</source>
        <translation>Beide fokussiert auf %1, den besten Fokus für den Bereich.</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>equivalent</source>
        <translation>äquivalent</translation>
    </message>
    <message>
        <source>Same framing</source>
        <translation>Gleicher Bildausschnitt</translation>
    </message>
    <message>
        <source>Secon&amp;d camera&apos;s focal length</source>
        <translation>Brennweite der zwe&amp;iten Kamera</translation>
    </message>
    <message>
        <source>Second camera&apos;s focal length</source>
        <translation>Brennweite der zweiten Kamera</translation>
    </message>
    <message>
        <source>&amp;With its f-number</source>
        <translation>Bei der Blende &amp;von</translation>
    </message>
    <message>
        <source>Second camera&apos;s f-number</source>
        <translation>Blendenzahl der zweiten Kamera</translation>
    </message>
    <message>
        <source>Bac&amp;kground behind the subject</source>
        <translation>Hintergrund hinter dem M&amp;otiv</translation>
    </message>
    <message>
        <source>Background behind the subject</source>
        <translation>Hintergrund hinter dem Motiv</translation>
    </message>
    <message>
        <source>First camera</source>
        <translation>Erste Kamera</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Field of view</source>
        <translation>Bildwinkel</translation>
    </message>
    <message>
        <source>Field at the subject</source>
        <translation>Bildfeld am Motiv</translation>
    </message>
    <message>
        <source>Depth of field</source>
        <translation>Schärfentiefe</translation>
    </message>
    <message>
        <source>Background blur</source>
        <translation>Hintergrundunschärfe</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Background blur chart</source>
        <translation>Diagramm der Hintergrundunschärfe</translation>
    </message>
    <message>
        <source>No chart: the same framing needs both cameras and a focus that can be planned.</source>
        <translation>Kein Diagramm: Der gleiche Bildausschnitt braucht beide Kameras und einen planbaren Fokus.</translation>
    </message>
    <message>
        <source>%1 at %2 mm %3</source>
        <translation>%1 bei %2 mm %3</translation>
    </message>
    <message>
        <source>%1° × %2° (%3° diagonal)</source>
        <translation>%1° × %2° (%3° diagonal)</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 mm, %2 % of the frame width</source>
        <translation>%1 mm, %2 % der Bildbreite</translation>
    </message>
    <message>
        <source>The camera that is to take the same picture as the first, the one chosen above.</source>
        <translation>Die Kamera, die dasselbe Bild aufnehmen soll wie die erste, die oben gewählte.</translation>
    </message>
    <message>
        <source>The f-number of the first camera.</source>
        <translation>Die Blendenzahl der ersten Kamera.</translation>
    </message>
    <message>
        <source>The second camera&apos;s focal length for the same framing; at 0, shown as &quot;equivalent&quot;, the equivalent focal length.</source>
        <translation>Die Brennweite der zweiten Kamera für denselben Bildausschnitt; bei 0, angezeigt als „äquivalent“, die äquivalente Brennweite.</translation>
    </message>
    <message>
        <source>The second camera&apos;s f-number for the same framing; at 0, shown as &quot;equivalent&quot;, the equivalent f-number.</source>
        <translation>Die Blendenzahl der zweiten Kamera für denselben Bildausschnitt; bei 0, angezeigt als „äquivalent“, die äquivalente Blendenzahl.</translation>
    </message>
    <message>
        <source>How far the background lies behind the subject.</source>
        <translation>Wie weit der Hintergrund hinter dem Motiv liegt.</translation>
    </message>
</context>
</TS>
