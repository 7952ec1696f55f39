<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
    <context>
        <name>TQuellix32</name>
        <message>
            <source>&amp;Demo</source>
            <translation>&amp;Demo</translation>
        </message>
        <message>
            <source>&amp;Measurement Library</source>
            <translation>&amp;Measurement Library</translation>
        </message>
        <message>
            <source>&amp;Potentiometer (TDial)</source>
            <translation>&amp;Potentiometer (TDial)</translation>
        </message>
        <message>
            <source>&amp;Schieberegler (TSlider)</source>
            <translation>&amp;Slider (TSlider)</translation>
        </message>
        <message>
            <source>&amp;LCD Anzeige (TPanelMeter)</source>
            <translation>&amp;LCD display (TPanelMeter)</translation>
        </message>
        <message>
            <source>&amp;Yt-Anzeige (THistograph)</source>
            <translation>&amp;Yt display (THistograph)</translation>
        </message>
        <message>
            <source>&amp;XY-Anzeige (THistograph)</source>
            <translation>&amp;XY display (THistograph)</translation>
        </message>
        <message>
            <source>&amp;8-Kanal Schreiber (TStripchart)</source>
            <translation>&amp;8-channel recorder (TStripchart)</translation>
        </message>
        <message>
            <source>L&amp;ed (TLed)</source>
            <translation>L&amp;ed (TLed)</translation>
        </message>
        <message>
            <source>&amp;Datenlogger (TFastlog)</source>
            <translation>&amp;Data logger (TFastlog)</translation>
        </message>
        <message>
            <source>&amp;Analoginstrument (TMeter)</source>
            <translation>&amp;Analog meter (TMeter)</translation>
        </message>
        <message>
            <source>&amp;Bargraph (TBargraph)</source>
            <translation>&amp;Bar graph (TBargraph)</translation>
        </message>
        <message>
            <source>Measure&amp;Source Library</source>
            <translation>Measure&amp;Source Library</translation>
        </message>
        <message>
            <source>S&amp;cientific Library</source>
            <translation>S&amp;cientific Library</translation>
        </message>
        <message>
            <source>&amp;Autokorrelation</source>
            <translation>&amp;Autocorrelation</translation>
        </message>
        <message>
            <source>&amp;Kreuzkorrelation</source>
            <translation>&amp;Cross-correlation</translation>
        </message>
        <message>
            <source>&amp;Fourier Transformation</source>
            <translation>&amp;Fourier transform</translation>
        </message>
        <message>
            <source>&amp;Leistungsdichte</source>
            <translation>&amp;Power spectrum</translation>
        </message>
        <message>
            <source>K&amp;reuzleistungsdichte</source>
            <translation>C&amp;ross-power spectrum</translation>
        </message>
        <message>
            <source>&amp;Filter Library</source>
            <translation>&amp;Filter Library</translation>
        </message>
        <message>
            <source>RC &amp;Hochpaß</source>
            <translation>RC &amp;high-pass</translation>
        </message>
        <message>
            <source>RC &amp;Tiefpaß</source>
            <translation>RC &amp;low-pass</translation>
        </message>
        <message>
            <source>&amp;IIR Filter</source>
            <translation>&amp;IIR filter</translation>
        </message>
        <message>
            <source>&amp;State variable Filter</source>
            <translation>&amp;State-variable filter</translation>
        </message>
        <message>
            <source>&amp;FIR Filter</source>
            <translation>&amp;FIR filter</translation>
        </message>
        <message>
            <source>C&amp;ommunications Library</source>
            <translation>C&amp;ommunications Library</translation>
        </message>
        <message>
            <source>RS-232 Kommunikation</source>
            <translation>RS-232 communication</translation>
        </message>
        <message>
            <source>&amp;Audio Library</source>
            <translation>&amp;Audio Library</translation>
        </message>
        <message>
            <source>&amp;Quellix Pro</source>
            <translation>&amp;Quellix Pro</translation>
        </message>
        <message>
            <source>&amp;Beenden</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>&amp;Beispielprogramme</source>
            <translation>&amp;Sample programs</translation>
        </message>
        <message>
            <source>&amp;Flip-Flop</source>
            <translation>&amp;Flip-flop</translation>
        </message>
        <message>
            <source>Produktinformation</source>
            <translation>Product information</translation>
        </message>
        <message>
            <source>&amp;Vertrieb und Herstellung</source>
            <translation>&amp;Sales and manufacture</translation>
        </message>
        <message>
            <source>&amp;Handbuch aufrufen</source>
            <translation>Open the &amp;manual</translation>
        </message>
        <message>
            <source>&amp;Hilfe</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>&amp;Über diese Demo</source>
            <translation>&amp;About this demo</translation>
        </message>
    </context>
    <context>
        <name>quellix::AnalysisDialog::TAnalysisDialog</name>
        <message>
            <source>Wählen Sie zwei Eingangsfunktionen und einen Fenstertyp für die</source>
            <translation>Choose two input functions and a window type for the</translation>
        </message>
        <message>
            <source>Wählen Sie eine Eingangsfunktion und einen Fenstertyp für die</source>
            <translation>Choose an input function and a window type for the</translation>
        </message>
        <message>
            <source> aus. Mit der Start/Stop Taste setzen</source>
            <translation>. The Start/Stop button sets</translation>
        </message>
        <message>
            <source>bwz. löschen Sie den Sweep-Mode für die Eingangsfunktion 2.</source>
            <translation>or clears the sweep mode of input function 2.</translation>
        </message>
        <message>
            <source>bwz. löschen Sie den Sweep-Mode für die Eingangsfunktion.</source>
            <translation>or clears the sweep mode of the input function.</translation>
        </message>
        <message>
            <source>Funktion 1</source>
            <translation>Function 1</translation>
        </message>
        <message>
            <source>Funktion</source>
            <translation>Function</translation>
        </message>
        <message>
            <source>Spannung [V]</source>
            <translation>Voltage [V]</translation>
        </message>
        <message>
            <source>Zeit [s]</source>
            <translation>Time [s]</translation>
        </message>
        <message>
            <source>Funktion 2</source>
            <translation>Function 2</translation>
        </message>
        <message>
            <source>Fenster</source>
            <translation>Window</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Dieses Fenster schließen</source>
            <translation>Close this window</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>Autokorrelation</source>
            <translation>Autocorrelation</translation>
        </message>
        <message>
            <source>Korrelation [V^2]</source>
            <translation>Correlation [V^2]</translation>
        </message>
        <message>
            <source>Kreuzkorrelation</source>
            <translation>Cross-correlation</translation>
        </message>
        <message>
            <source>Amplitude [V]</source>
            <translation>Amplitude [V]</translation>
        </message>
        <message>
            <source>Cross Power Spectrum</source>
            <translation>Cross Power Spectrum</translation>
        </message>
        <message>
            <source>Kreuzleistungsdichte (Betrag)</source>
            <translation>Cross power density (magnitude)</translation>
        </message>
        <message>
            <source>Leistungsdichte [V^2s]</source>
            <translation>Power density [V^2s]</translation>
        </message>
        <message>
            <source>Frequenz [Hz]</source>
            <translation>Frequency [Hz]</translation>
        </message>
        <message>
            <source>Berechnung der Kreuzleistungsdichte</source>
            <translation>computation of the cross power density</translation>
        </message>
        <message>
            <source>FFT Demo</source>
            <translation>FFT Demo</translation>
        </message>
        <message>
            <source>Fourier-Transformierte</source>
            <translation>Fourier transform</translation>
        </message>
        <message>
            <source>schnelle Fourier Transformation</source>
            <translation>fast Fourier transform</translation>
        </message>
        <message>
            <source>Power Spectrum</source>
            <translation>Power Spectrum</translation>
        </message>
        <message>
            <source>Berechnung der Leistungsdichte</source>
            <translation>computation of the power density</translation>
        </message>
        <message>
            <source>Sinus</source>
            <translation>Sine</translation>
        </message>
        <message>
            <source>Rechteck</source>
            <translation>Square</translation>
        </message>
        <message>
            <source>Sägezahn</source>
            <translation>Sawtooth</translation>
        </message>
        <message>
            <source>Rauschen</source>
            <translation>Noise</translation>
        </message>
        <message>
            <source>Verr. Sinus</source>
            <translation>Noisy sine</translation>
        </message>
    </context>
    <context>
        <name>quellix::AudioIn_Unit::TAudio_Demo</name>
        <message>
            <source>Audio Library</source>
            <translation>Audio Library</translation>
        </message>
        <message>
            <source>TAudioIn liefert die Abtastwerte des Audio-Eingangs als Messdaten. THistograph (AutoConfig) stellt jeden Block beider Kanäle sofort dar, TDataEvent reicht denselben Block an die Anwendung weiter.
Ohne Soundkarte zeichnet „Play“ den eingebauten Testsignal-Generator (Sinus 440 Hz) auf.</source>
            <translation>TAudioIn delivers the samples of the audio input as measurement data. THistograph (AutoConfig) shows every block of both channels at once, TDataEvent passes the same block on to the application.
Without a sound card, “Play” records the built-in test signal generator (440 Hz sine).</translation>
        </message>
        <message>
            <source>Audio-Eingang, linker (blau) und rechter (rot) Kanal</source>
            <translation>Audio input, left (blue) and right (red) channel</translation>
        </message>
        <message>
            <source>Zeit [s]</source>
            <translation>Time [s]</translation>
        </message>
        <message>
            <source>Eingang: </source>
            <translation>Input: </translation>
        </message>
    </context>
    <context>
        <name>quellix::BarGraph_Unit::TBarGraph_Demo</name>
        <message>
            <source>TBargraph Demo</source>
            <translation>TBargraph Demo</translation>
        </message>
        <message>
            <source>TBarGraph zeigt einen Wert als Balken, der sich von unten (oder links) füllt. Jeder Abschnitt des Balkens trägt die Farbe seines Wertebereichs; eine Skala mit Strichen und Zahlen steht wahlweise links, rechts oder auf beiden Seiten.
Ein Zeitgeber (1 ms) bewegt die fünf Balken gemeinsam auf und ab.</source>
            <translation>TBarGraph shows a value as a bar that fills from the bottom (or from the left). Each section of the bar has the colour of its value range; a scale with ticks and numbers stands on the left, on the right or on both sides.
A timer (1 ms) moves the five bars up and down together.</translation>
        </message>
        <message>
            <source>Pegel</source>
            <translation>Level</translation>
        </message>
        <message>
            <source>Füllstand</source>
            <translation>Fill level</translation>
        </message>
        <message>
            <source>Vorrat</source>
            <translation>Stock</translation>
        </message>
        <message>
            <source>Durchfluss</source>
            <translation>Flow</translation>
        </message>
        <message>
            <source>Temperatur 40 … 80</source>
            <translation>Temperature 40 … 80</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TAxisDialog</name>
        <message>
            <source>Maße</source>
            <translation>Dimensions</translation>
        </message>
        <message>
            <source>X-Achse</source>
            <translation>X axis</translation>
        </message>
        <message>
            <source>Y-Achse</source>
            <translation>Y axis</translation>
        </message>
        <message>
            <source>Dezimalstellen</source>
            <translation>Decimals</translation>
        </message>
        <message>
            <source>'%1' ist kein gültiger Gleitkommawert</source>
            <translation>'%1' is not a valid floating-point value</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TGridDialog</name>
        <message>
            <source>Gitter</source>
            <translation>Grid</translation>
        </message>
        <message>
            <source>Gitter sichtbar</source>
            <translation>Grid visible</translation>
        </message>
        <message>
            <source>linear/linear</source>
            <translation>linear/linear</translation>
        </message>
        <message>
            <source>linear/logarithmisch</source>
            <translation>linear/logarithmic</translation>
        </message>
        <message>
            <source>logarithmisch/linear</source>
            <translation>logarithmic/linear</translation>
        </message>
        <message>
            <source>logarithmisch/logarithmisch</source>
            <translation>logarithmic/logarithmic</translation>
        </message>
        <message>
            <source>Skalierung</source>
            <translation>Scaling</translation>
        </message>
        <message>
            <source>Linientypen</source>
            <translation>Line styles</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TPropertyDialog</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Abbrechen</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TTitleDialog</name>
        <message>
            <source>Beschriftung</source>
            <translation>Labels</translation>
        </message>
        <message>
            <source>unten:</source>
            <translation>bottom:</translation>
        </message>
        <message>
            <source>oben:</source>
            <translation>top:</translation>
        </message>
        <message>
            <source>links:</source>
            <translation>left:</translation>
        </message>
        <message>
            <source>rechts:</source>
            <translation>right:</translation>
        </message>
        <message>
            <source>X-Achse:</source>
            <translation>X axis:</translation>
        </message>
        <message>
            <source>Y-Achse:</source>
            <translation>Y axis:</translation>
        </message>
        <message>
            <source>Schriftart</source>
            <translation>Font</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TToolBar</name>
        <message>
            <source>Werkzeuge</source>
            <translation>Tools</translation>
        </message>
        <message>
            <source>Fadenkreuz</source>
            <translation>Cross-hair</translation>
        </message>
        <message>
            <source>Zoom</source>
            <translation>Zoom</translation>
        </message>
        <message>
            <source>Meßkurve(n)</source>
            <translation>Measure series</translation>
        </message>
        <message>
            <source>Bemerkung ändern</source>
            <translation>Edit remark</translation>
        </message>
        <message>
            <source>Vermessen</source>
            <translation>Measure between two points</translation>
        </message>
        <message>
            <source>Autoscale</source>
            <translation>Autoscale</translation>
        </message>
        <message>
            <source>fangen</source>
            <translation>Capture</translation>
        </message>
        <message>
            <source>Jog Shuttle</source>
            <translation>Jog shuttle</translation>
        </message>
        <message>
            <source>Werte anzeigen</source>
            <translation>Show values</translation>
        </message>
        <message>
            <source>Beschriftung</source>
            <translation>Labels</translation>
        </message>
        <message>
            <source>Gitter</source>
            <translation>Grid</translation>
        </message>
        <message>
            <source>Maße</source>
            <translation>Dimensions</translation>
        </message>
        <message>
            <source>untere Referenzkurve</source>
            <translation>Lower reference curve</translation>
        </message>
        <message>
            <source>obere Referenzkurve</source>
            <translation>Upper reference curve</translation>
        </message>
    </context>
    <context>
        <name>quellix::ChartTools::TValueBar</name>
        <message>
            <source>Anzeige: </source>
            <translation>Display: </translation>
        </message>
        <message>
            <source>Meßkreuz </source>
            <translation>Cross </translation>
        </message>
        <message>
            <source>Kurve:</source>
            <translation>Series:</translation>
        </message>
        <message>
            <source>Vermessen</source>
            <translation>Measure</translation>
        </message>
    </context>
    <context>
        <name>quellix::Comm2_Unit::TComm2_Demo</name>
        <message>
            <source>TComm Demo</source>
            <translation>TComm Demo</translation>
        </message>
        <message>
            <source>TComm ist nicht Teil dieser Bibliothek; dieses Fenster beschreibt die Komponente nur und öffnet keine Schnittstelle.
An eine Messquelle angeschlossen, ließen sich die Messwerte eines Geräts mit den Instrumenten und Diagrammen von Quellix darstellen.</source>
            <translation>TComm is not part of this library; this window only describes the component and opens no port.
Connected to a measurement source, the readings of an instrument could be shown with the instruments and charts of Quellix.</translation>
        </message>
        <message>
            <source>&lt;p style='font-size:15px; color:#1f3a6e'&gt;&lt;b&gt;Messgeräte an der seriellen Schnittstelle&lt;/b&gt;&lt;/p&gt;&lt;p&gt;TComm verbindet ein Programm mit einem Messgerät, das über eine serielle Leitung angeschlossen ist: Multimeter, Waagen, Temperaturregler und Datensammler.&lt;/p&gt;&lt;table cellspacing='0' cellpadding='2'&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Schnittstelle&lt;/b&gt;&lt;/td&gt;&lt;td&gt;COM1 … COM4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Geschwindigkeit&lt;/b&gt;&lt;/td&gt;&lt;td&gt;300 … 115 200 Baud&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Datenformat&lt;/b&gt;&lt;/td&gt;&lt;td&gt;7 oder 8 Datenbits, Parität, 1 oder 2 Stoppbits&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Handshake&lt;/b&gt;&lt;/td&gt;&lt;td&gt;keiner, RTS/CTS oder XON/XOFF&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;p&gt;Befehle an das Gerät werden in eine Warteschlange gestellt; jede Antwortzeile meldet die Komponente mit einem Ereignis. Bleibt eine Antwort aus oder ist eine Übertragung gestört, meldet sie auch das als Ereignis, statt das Programm warten zu lassen.&lt;/p&gt;</source>
            <translation>&lt;p style='font-size:15px; color:#1f3a6e'&gt;&lt;b&gt;Instruments on the serial port&lt;/b&gt;&lt;/p&gt;&lt;p&gt;TComm connects a program with an instrument attached through a serial line: multimeters, scales, temperature controllers and data collectors.&lt;/p&gt;&lt;table cellspacing='0' cellpadding='2'&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Port&lt;/b&gt;&lt;/td&gt;&lt;td&gt;COM1 … COM4&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Speed&lt;/b&gt;&lt;/td&gt;&lt;td&gt;300 … 115 200 baud&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Data format&lt;/b&gt;&lt;/td&gt;&lt;td&gt;7 or 8 data bits, parity, 1 or 2 stop bits&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;b&gt;Handshake&lt;/b&gt;&lt;/td&gt;&lt;td&gt;none, RTS/CTS or XON/XOFF&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;p&gt;Commands to the instrument are queued; the component reports each line of reply with an event. When a reply does not come or a transfer is disturbed, it reports that as an event too instead of letting the program wait.&lt;/p&gt;</translation>
        </message>
    </context>
    <context>
        <name>quellix::Dial_Unit::TDial_Demo</name>
        <message>
            <source>TDial Demo</source>
            <translation>TDial Demo</translation>
        </message>
        <message>
            <source>TDial ist ein Drehknopf: ein Klick mit der linken Maustaste in den Knopf stellt den Wert auf den angeklickten Winkel, Ziehen mit gedrückter Taste dreht ihn weiter.
Skalenstriche, Beschriftung, Schrittweite, Farben, Ringbreite und Zeigerform (Kreis, Dreieck, Strich) sind einstellbar.</source>
            <translation>TDial is a rotary knob: a click with the left mouse button into the knob sets the value to the angle clicked, dragging with the button held turns it further.
Scale ticks, labels, step width, colours, ring width and pointer shape (circle, triangle, line) can be set.</translation>
        </message>
        <message>
            <source>Spannung, Dreieck</source>
            <translation>Voltage, triangle</translation>
        </message>
        <message>
            <source>Strom, Strich</source>
            <translation>Current, line</translation>
        </message>
        <message>
            <source>Kreis</source>
            <translation>Circle</translation>
        </message>
        <message>
            <source>Schrittweite 10</source>
            <translation>Step width 10</translation>
        </message>
        <message>
            <source>Halbkreis</source>
            <translation>Semicircle</translation>
        </message>
        <message>
            <source>Vertiefte Fassung</source>
            <translation>Recessed mount</translation>
        </message>
    </context>
    <context>
        <name>quellix::Efa::TFormAxis</name>
        <message>
            <source>Abstand</source>
            <translation>Spacing</translation>
        </message>
    </context>
    <context>
        <name>quellix::Etb::TFormToolBar</name>
        <message>
            <source>Drag&amp;Drop Farbpalette</source>
            <translation>Drag&amp;drop colour palette</translation>
        </message>
    </context>
    <context>
        <name>quellix::ExportMenu</name>
        <message>
            <source>Bild speichern …</source>
            <translation>Save picture …</translation>
        </message>
        <message>
            <source>Bild speichern</source>
            <translation>Save picture</translation>
        </message>
        <message>
            <source>PNG-Bild (*.png);;SVG-Bild (*.svg)</source>
            <translation>PNG picture (*.png);;SVG picture (*.svg)</translation>
        </message>
        <message>
            <source>Daten speichern (CSV) …</source>
            <translation>Save data (CSV) …</translation>
        </message>
        <message>
            <source>Daten speichern</source>
            <translation>Save data</translation>
        </message>
        <message>
            <source>CSV-Datei (*.csv)</source>
            <translation>CSV file (*.csv)</translation>
        </message>
    </context>
    <context>
        <name>quellix::FIR_Unit::TFIR_Demo</name>
        <message>
            <source>TFIRFilter Demo</source>
            <translation>TFIRFilter Demo</translation>
        </message>
        <message>
            <source>Ein FIR-Filter mit 128 Koeffizienten filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz hin- und herläuft. Die Koeffizienten sind die Impulsantwort des Filters (unten).
„Reset“ setzt alle Koeffizienten auf 0.</source>
            <translation>An FIR filter with 128 coefficients filters a square wave whose frequency sweeps between 2 and 25 Hz and back. The coefficients are the impulse response of the filter (below).
“Reset” sets all coefficients to 0.</translation>
        </message>
        <message>
            <source>Impulsantwort</source>
            <translation>Impulse response</translation>
        </message>
        <message>
            <source>Koeffizient</source>
            <translation>Coefficient</translation>
        </message>
    </context>
    <context>
        <name>quellix::Fastlog_Unit::TFastlog_Demo</name>
        <message>
            <source>TFastlog Demo</source>
            <translation>TFastlog Demo</translation>
        </message>
        <message>
            <source>TFastlog ist eine Senke für Messquellen: sie zeichnet auf, ohne anzuzeigen.
Die Werte der Tabelle sind Richtwerte; der tatsächliche Durchsatz hängt vor allem von der Festplatte ab.</source>
            <translation>TFastlog is a sink for measurement sources: it records without displaying.
The figures in the table are guide values; the actual throughput depends mainly on the disk.</translation>
        </message>
        <message>
            <source>&lt;p style='font-size:15px; color:#1f3a6e'&gt;&lt;b&gt;Schneller Datenlogger für Messquellen&lt;/b&gt;&lt;/p&gt;&lt;p&gt;TFastlog wird wie jede Senke über &lt;b&gt;MeasureSource&lt;/b&gt; an eine Messquelle angeschlossen und schreibt jeden ankommenden Block unmittelbar in eine Datei – ohne Umweg über eine Anzeige.&lt;/p&gt;&lt;p&gt;Die Blöcke werden in einem Ringpuffer gesammelt und in großen Stücken geschrieben; so hält der Logger auch dann Schritt, wenn die Festplatte kurz stockt. Geht der Puffer doch einmal über, meldet TFastlog die Zahl der verlorenen Blöcke, statt still Daten auszulassen.&lt;/p&gt;&lt;p&gt;Jede Datei beginnt mit einem Kopf aus Kanalzahl, Abtastrate, Wertebereich und Startzeit; danach folgen die Werte Kanal für Kanal, Block für Block, so dass sich jede Datei blockweise wieder einlesen lässt.&lt;/p&gt;</source>
            <translation>&lt;p style='font-size:15px; color:#1f3a6e'&gt;&lt;b&gt;Fast data logger for measurement sources&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Like every sink, TFastlog is connected to a measurement source through &lt;b&gt;MeasureSource&lt;/b&gt; and writes every block that arrives straight into a file – without a detour through a display.&lt;/p&gt;&lt;p&gt;The blocks are collected in a ring buffer and written in large pieces; so the logger keeps pace even when the disk stalls for a moment. Should the buffer overflow all the same, TFastlog reports the number of blocks lost instead of silently leaving data out.&lt;/p&gt;&lt;p&gt;Every file begins with a header of channel count, sampling rate, value range and start time; the values follow channel by channel, block by block, so that every file can be read back block by block.&lt;/p&gt;</translation>
        </message>
    </context>
    <context>
        <name>quellix::FlipFlop_Unit::TFlipFlop_Demo</name>
        <message>
            <source>Beispielprogramm Flip-Flop</source>
            <translation>Sample program flip-flop</translation>
        </message>
        <message>
            <source>Astabile Kippstufe</source>
            <translation>Astable multivibrator</translation>
        </message>
        <message>
            <source>Zwei über C1 und C2 kreuzgekoppelte Transistoren schalten abwechselnd durch: P1 (rot) leuchtet τ1 = 0,7 · R2 · C1, P2 (grün) leuchtet τ2 = 0,7 · R3 · C2.
Mit den Schiebereglern werden R2, R3 (kΩ) und C1, C2 (µF) eingestellt; die Anzeigen zeigen τ1 und τ2 in Sekunden und markieren die gerade aktive Phase.</source>
            <translation>Two transistors cross-coupled through C1 and C2 conduct in turn: P1 (red) lights for τ1 = 0.7 · R2 · C1, P2 (green) lights for τ2 = 0.7 · R3 · C2.
The sliders set R2, R3 (kΩ) and C1, C2 (µF); the displays show τ1 and τ2 in seconds and mark the phase that is active.</translation>
        </message>
    </context>
    <context>
        <name>quellix::Hersteller_Unit::THersteller_Demo</name>
        <message>
            <source>Vertrieb und Hersteller</source>
            <translation>Distributors and manufacturer</translation>
        </message>
        <message>
            <source>Die beiden Vertriebe beraten zu den Komponenten und liefern sie aus; Fragen zur Technik beantwortet die Quellix-Entwicklergruppe.
Alle Namen, Anschriften und Nummern dieses Fensters sind Platzhalter.</source>
            <translation>The two distributors advise on the components and deliver them; the Quellix developer group answers technical questions.
All names, addresses and numbers in this window are placeholders.</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Anschrift</source>
            <translation>Address</translation>
        </message>
        <message>
            <source>Telefon</source>
            <translation>Telephone</translation>
        </message>
        <message>
            <source>Telefax</source>
            <translation>Fax</translation>
        </message>
        <message>
            <source>E-Mail</source>
            <translation>E-mail</translation>
        </message>
        <message>
            <source>Internet</source>
            <translation>Internet</translation>
        </message>
    </context>
    <context>
        <name>quellix::HistoInt::THistographInt</name>
        <message>
            <source>Werkzeuge: </source>
            <translation>Tools: </translation>
        </message>
        <message>
            <source>Anzeige: </source>
            <translation>Display: </translation>
        </message>
    </context>
    <context>
        <name>quellix::HistoXY_Unit::THisto1_Demo</name>
        <message>
            <source>THistograph Demo</source>
            <translation>THistograph Demo</translation>
        </message>
        <message>
            <source>XY-Darstellung</source>
            <translation>XY display</translation>
        </message>
        <message>
            <source>In der XY-Darstellung verbindet THistograph Wertepaare zu einer Figur. Hier entstehen Lissajous-Figuren aus 200 Punkten, die sich ständig verändern.
„Neue Figur“ wählt zufällig eine neue Figur: wandernde Frequenzen oder laufende Phasen.</source>
            <translation>In the XY display THistograph joins pairs of values into a figure. Here Lissajous figures of 200 points appear that change all the time.
“New figure” picks a new figure at random: drifting frequencies or running phases.</translation>
        </message>
        <message>
            <source>&amp;Neue Figur</source>
            <translation>&amp;New figure</translation>
        </message>
    </context>
    <context>
        <name>quellix::HistoYt_Unit::THisto2_Demo</name>
        <message>
            <source>THistograph Demo</source>
            <translation>THistograph Demo</translation>
        </message>
        <message>
            <source>Yt-Darstellung</source>
            <translation>Yt display</translation>
        </message>
        <message>
            <source>THistograph zeigt bis zu acht Kurven als Yt- oder XY-Darstellung. Hier läuft ein verrauschter Sinus zwischen einer oberen und einer unteren Referenzkurve (rot).
„Start“ und „Stop“ schalten den eingebauten Timer des Histographen ein und aus.</source>
            <translation>THistograph shows up to eight series as a Yt or XY display. Here a noisy sine runs between an upper and a lower reference curve (red).
“Start” and “Stop” switch the histograph’s built-in timer on and off.</translation>
        </message>
        <message>
            <source>Messwert mit Toleranzband</source>
            <translation>Reading with tolerance band</translation>
        </message>
        <message>
            <source>Abtastwert</source>
            <translation>Sample</translation>
        </message>
        <message>
            <source>Spannung [V]</source>
            <translation>Voltage [V]</translation>
        </message>
        <message>
            <source>&amp;Start</source>
            <translation>&amp;Start</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>S&amp;top</translation>
        </message>
        <message>
            <source>&amp;Werkzeuge</source>
            <translation>&amp;Tools</translation>
        </message>
    </context>
    <context>
        <name>quellix::IIR_Unit::TIIR_Demo</name>
        <message>
            <source>TIIRFilter Demo</source>
            <translation>TIIRFilter Demo</translation>
        </message>
        <message>
            <source>Ein Butterworth-Tiefpass vierter Ordnung filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz hin- und herläuft. Nahe der Grenzfrequenz bleibt die Grundwelle übrig.
Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 5 und 50 Hz eingestellt.</source>
            <translation>A fourth-order Butterworth low-pass filters a square wave whose frequency sweeps between 2 and 25 Hz and back. Near the cutoff frequency only the fundamental remains.
The “Cutoff” slider sets the cutoff frequency between 5 and 50 Hz.</translation>
        </message>
    </context>
    <context>
        <name>quellix::Led_Unit::TLed_Demo</name>
        <message>
            <source>TLed Demo</source>
            <translation>TLed Demo</translation>
        </message>
        <message>
            <source>TLed zeigt einen Schaltzustand als Lampe: Kreis mit Glanzlicht, Rechteck, Pfeil oder Raute, mit je einer Farbe für Ein und Aus.
Blinkende LEDs (Flashing) wechseln mit ihrem eigenen Zeitgeber im Takt von FlashInterval zwischen beiden Farben; sie werden beim Öffnen des Fensters ein- und beim Schließen ausgeschaltet.</source>
            <translation>TLed shows a switching state as a lamp: circle with highlight, rectangle, arrow or diamond, with one colour each for on and off.
Flashing LEDs change between both colours with their own timer every FlashInterval; they are switched on when the window opens and off when it closes.</translation>
        </message>
        <message>
            <source>Kreis, Dauerlicht</source>
            <translation>Circle, steady</translation>
        </message>
        <message>
            <source>Kreis, blinkend (500, 200, 300, 400, 700 ms)</source>
            <translation>Circle, flashing (500, 200, 300, 400, 700 ms)</translation>
        </message>
        <message>
            <source>Pfeile und Rauten</source>
            <translation>Arrows and diamonds</translation>
        </message>
        <message>
            <source>Pfeile, blinkend (500, 700, 200, 100, 800 ms)</source>
            <translation>Arrows, flashing (500, 700, 200, 100, 800 ms)</translation>
        </message>
        <message>
            <source>Pegelanzeige aus Rechtecken</source>
            <translation>Level display of rectangles</translation>
        </message>
    </context>
    <context>
        <name>quellix::MSLib_Unit::TMeasureSource_Demo</name>
        <message>
            <source>MeasureSource Library</source>
            <translation>MeasureSource Library</translation>
        </message>
        <message>
            <source>Eine Messquelle schiebt jeden Datenblock über die Verbindungen (TMeasureLink) an alle angeschlossenen Senken; eine Senke wird mit ihrer Eigenschaft MeasureSource angeschlossen.
Der Text links beschreibt die Bibliothek; PgUp und PgDown blättern darin.</source>
            <translation>A measurement source pushes every data block through the links (TMeasureLink) to all connected sinks; a sink is connected with its MeasureSource property.
The text on the left describes the library; PgUp and PgDown page through it.</translation>
        </message>
        <message>
            <source>TMeasureSource
TMeasureLink · TAudioIn
TDataEvent · Senken</source>
            <translation>TMeasureSource
TMeasureLink · TAudioIn
TDataEvent · sinks</translation>
        </message>
        <message>
            <source>Blättern mit PgUp - PgDown</source>
            <translation>Page with PgUp - PgDown</translation>
        </message>
        <message>
            <source>Die Datei wurde nicht gefunden.</source>
            <translation>The file was not found.</translation>
        </message>
        <message>
            <source>Die Datei kann nicht gelesen werden.</source>
            <translation>The file cannot be read.</translation>
        </message>
        <message>
            <source>Die Datei ist zu groß für eine Beschreibung.</source>
            <translation>The file is too large for a description.</translation>
        </message>
        <message>
            <source>Die Beschreibung „%1“ konnte nicht geladen werden. %2</source>
            <translation>The description “%1” could not be loaded. %2</translation>
        </message>
    </context>
    <context>
        <name>quellix::Main::TQuellix32</name>
        <message>
            <source>Quellix 32 - Die volle 32-Bit Power !</source>
            <translation>Quellix 32 - Full 32-bit power!</translation>
        </message>
        <message>
            <source>Quellix gibt es auch für weitere Entwicklungsumgebungen.</source>
            <translation>Quellix is also available for other development environments.</translation>
        </message>
        <message>
            <source>Quellix-Entwicklergruppe  -  Messweg 12  -  D-00000 Beispielstadt  -  Telefon (00000) 12 34 56  -  Telefax (00000) 12 34 57  -  Online: quellix.example  -  Komponenten zum Messen, Darstellen und Auswerten</source>
            <translation>Quellix developer group  -  Messweg 12  -  D-00000 Beispielstadt  -  Telephone (00000) 12 34 56  -  Fax (00000) 12 34 57  -  Online: quellix.example  -  Components for measuring, displaying and analysing</translation>
        </message>
        <message>
            <source>Quellix 32 - Komponenten für Qt 6 und C++20 - Demo Version 2.84</source>
            <translation>Quellix 32 - Components for Qt 6 and C++20 - Demo version 2.84</translation>
        </message>
        <message>
            <source>ACHTUNG !!! DIESES BEISPIEL FUNKTIONIERT NUR</source>
            <translation>ATTENTION!!! THIS EXAMPLE ONLY WORKS</translation>
        </message>
        <message>
            <source>MIT EINGEBAUTER UND ANGEMELDETER SOUNDKARTE UND BEI</source>
            <translation>WITH AN INSTALLED AND REGISTERED SOUND CARD AND ON</translation>
        </message>
        <message>
            <source>RECHNERN MIT EINGEBAUTEM CD-ROM LAUFWERK, AUSSERDEM</source>
            <translation>COMPUTERS WITH A BUILT-IN CD-ROM DRIVE; FURTHERMORE</translation>
        </message>
        <message>
            <source>MUSS EINE AUDIO-CD IN DAS CD-ROM LAUFWERK EINGELEGT SEIN !</source>
            <translation>AN AUDIO CD MUST BE IN THE CD-ROM DRIVE!</translation>
        </message>
    </context>
    <context>
        <name>quellix::Meter_Unit::TMeter_Demo</name>
        <message>
            <source>TMeter Demo</source>
            <translation>TMeter Demo</translation>
        </message>
        <message>
            <source>TMeter ist ein Zeigerinstrument mit frei wählbarem Skalenbogen, bis zu 16 farbigen Wertebereichen, Skalenstrichen, Beschriftung innen oder außen und zwei Legendenzeilen. Der Zeiger (Keil oder Nadel) darf die Skalenenden um 5 % überschreiten.
Ein Zeitgeber (1 ms) bewegt beide Zeiger; bei jeder Bewegung wird nur der Bereich um den Zeiger neu gezeichnet.</source>
            <translation>TMeter is a pointer instrument with a freely chosen scale arc, up to 16 coloured value ranges, scale ticks, labels inside or outside and two legend lines. The pointer (wedge or needle) may pass the ends of the scale by 5 %.
A timer (1 ms) moves both pointers; each movement redraws only the area around the pointer.</translation>
        </message>
        <message>
            <source>Drehzahl</source>
            <translation>Speed</translation>
        </message>
        <message>
            <source>x 100 / min</source>
            <translation>x 100 / min</translation>
        </message>
        <message>
            <source>Keilzeiger, Beschriftung innen</source>
            <translation>Wedge pointer, labels inside</translation>
        </message>
        <message>
            <source>Nadelzeiger, Beschriftung außen</source>
            <translation>Needle pointer, labels outside</translation>
        </message>
    </context>
    <context>
        <name>quellix::PanelMeter_Unit::TPanelMeter_Demo</name>
        <message>
            <source>TPanelMeter Demo</source>
            <translation>TPanelMeter Demo</translation>
        </message>
        <message>
            <source>TPanelMeter zeigt einen Messwert wie ein LCD-Einbauinstrument: schräge Siebensegment-Ziffern mit Dezimalpunkt und Vorzeichen, darunter schaltbare Anzeigefelder (Slots).
Die vier Anzeigen werden jede Sekunde neu gesetzt. Die Irrfahrt meldet über OnRangeCheck, wenn sie den Bereich −5 … 5 verlässt oder wieder erreicht, und schaltet damit ihr Feld „GRENZE“.</source>
            <translation>TPanelMeter shows a reading like an LCD panel instrument: slanted seven-segment digits with decimal point and sign, below them switchable indicator fields (slots).
The four displays are set anew every second. The random walk reports through OnRangeCheck when it leaves the range −5 … 5 or comes back, and switches its field “GRENZE” with it.</translation>
        </message>
    </context>
    <context>
        <name>quellix::Pro_Unit::TPro_Demo</name>
        <message>
            <source>Quellix Pro</source>
            <translation>Quellix Pro</translation>
        </message>
        <message>
            <source>Quellix Pro – Messkette</source>
            <translation>Quellix Pro – measurement chain</translation>
        </message>
        <message>
            <source>Mit Quellix Pro werden Messquellen und Senken zu einer Messkette verbunden: Die Erfassungskarte liefert Datenblöcke, der Kompressor verdichtet sie, die FFT-Stufe berechnet das Spektrum, und der Histograph zeigt es an.
Bei jedem Schritt des Histographen-Timers (10 ms) leuchten die drei Lampen der Reihe nach auf, während die nächste Kurve |10·sin(i/p)| entsteht.</source>
            <translation>With Quellix Pro, measurement sources and sinks are joined into a measurement chain: the acquisition card delivers data blocks, the compressor condenses them, the FFT stage computes the spectrum, and the histograph shows it.
At every step of the histograph timer (10 ms) the three lamps light up in turn while the next curve |10·sin(i/p)| is built.</translation>
        </message>
        <message>
            <source>Prinzip</source>
            <translation>Principle</translation>
        </message>
        <message>
            <source>Ausgang der FFT-Stufe</source>
            <translation>Output of the FFT stage</translation>
        </message>
        <message>
            <source>Frequenzlinie</source>
            <translation>Frequency line</translation>
        </message>
        <message>
            <source>Betrag</source>
            <translation>Magnitude</translation>
        </message>
    </context>
    <context>
        <name>quellix::RCHoch_Unit::TRCHoch_Demo</name>
        <message>
            <source>TRCHighpass Demo</source>
            <translation>TRCHighpass Demo</translation>
        </message>
        <message>
            <source>Ein RC-Hochpass erster Ordnung filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz hin- und herläuft. Die Flanken kommen durch, die Dächer klingen ab.
Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 2 und 25 Hz eingestellt.</source>
            <translation>A first-order RC high-pass filters a square wave whose frequency sweeps between 2 and 25 Hz and back. The edges pass, the flat tops decay.
The “Cutoff” slider sets the cutoff frequency between 2 and 25 Hz.</translation>
        </message>
    </context>
    <context>
        <name>quellix::RCTief_Unit::TRCTief_Demo</name>
        <message>
            <source>TRCLowpass Demo</source>
            <translation>TRCLowpass Demo</translation>
        </message>
        <message>
            <source>Ein RC-Tiefpass erster Ordnung filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz hin- und herläuft. Die Flanken werden zu e-Funktionen verschliffen.
Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 2 und 25 Hz eingestellt.</source>
            <translation>A first-order RC low-pass filters a square wave whose frequency sweeps between 2 and 25 Hz and back. The edges are smoothed into exponentials.
The “Cutoff” slider sets the cutoff frequency between 2 and 25 Hz.</translation>
        </message>
    </context>
    <context>
        <name>quellix::Remedit::TEditRemark</name>
        <message>
            <source>Bemerkung ändern</source>
            <translation>Edit remark</translation>
        </message>
        <message>
            <source>Kurvennummer</source>
            <translation>Series number</translation>
        </message>
        <message>
            <source>Art:</source>
            <translation>Kind:</translation>
        </message>
        <message>
            <source>Automatisch</source>
            <translation>Automatic</translation>
        </message>
        <message>
            <source>Manuell</source>
            <translation>Manual</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Abbrechen</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Aktueller Run:</source>
            <translation>Current run:</translation>
        </message>
        <message>
            <source>Zeit:</source>
            <translation>Time:</translation>
        </message>
        <message>
            <source>Kurve:</source>
            <translation>Series:</translation>
        </message>
        <message>
            <source>Bemerkung:</source>
            <translation>Remark:</translation>
        </message>
        <message>
            <source>Alle</source>
            <translation>All</translation>
        </message>
    </context>
    <context>
        <name>quellix::SVFilter_Unit::TSVFilter_Demo</name>
        <message>
            <source>TStateVariableFilter Demo</source>
            <translation>TStateVariableFilter Demo</translation>
        </message>
        <message>
            <source>Ein Zustandsvariablen-Filter (Bandpass, Güte 2) filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz hin- und herläuft und schwingt nahe seiner Mittenfrequenz mit.
Mit dem Regler „Eckfrequenz“ wird die Mittenfrequenz zwischen 2 und 25 Hz eingestellt.</source>
            <translation>A state-variable filter (band-pass, Q 2) filters a square wave whose frequency sweeps between 2 and 25 Hz and back, and rings near its centre frequency.
The “Cutoff” slider sets the centre frequency between 2 and 25 Hz.</translation>
        </message>
    </context>
    <context>
        <name>quellix::Slider_Unit::TSlider_Demo</name>
        <message>
            <source>TSlider Demo</source>
            <translation>TSlider Demo</translation>
        </message>
        <message>
            <source>TSlider ist ein Schieberegler mit bis zu 16 farbigen Wertebereichen, wahlweise senkrecht oder waagerecht, mit Skala auf einer oder beiden Seiten, Zeiger-Skala, Beschriftung und Schrittweite.
Die Regler „Soll“ und „Rest“ sind gekoppelt: ihre Summe ist immer 50.</source>
            <translation>TSlider is a slider with up to 16 coloured value ranges, vertical or horizontal, with a scale on one or both sides, pointer scale, labels and step width.
The sliders “Target” and “Rest” are coupled: their sum is always 50.</translation>
        </message>
        <message>
            <source>Pegel</source>
            <translation>Level</translation>
        </message>
        <message>
            <source>Soll</source>
            <translation>Target</translation>
        </message>
        <message>
            <source>Rest</source>
            <translation>Rest</translation>
        </message>
        <message>
            <source>Zeiger</source>
            <translation>Pointer</translation>
        </message>
        <message>
            <source>Schrittweite 5</source>
            <translation>Step width 5</translation>
        </message>
    </context>
    <context>
        <name>quellix::Stripchart_Unit::TStripchart_Demo</name>
        <message>
            <source>TStripchart Demo</source>
            <translation>TStripchart Demo</translation>
        </message>
        <message>
            <source>Acht Kanäle mit je zehn Werten alle 50 ms. „Aufnehmen“ schreibt die Kurven in eine Messdatei, „Wiedergeben“ zeigt eine aufgenommene Datei.
Das Fadenkreuz zeigt Kurve und Spannung des Werts unter der Maus.</source>
            <translation>Eight channels with ten values each every 50 ms. “Record” writes the curves into a measurement file, “Play back” shows a recorded file.
The cross-hair shows series and voltage of the value under the mouse.</translation>
        </message>
        <message>
            <source>8-Kanal-Schreiber</source>
            <translation>8-channel recorder</translation>
        </message>
        <message>
            <source>Spannung [V]</source>
            <translation>Voltage [V]</translation>
        </message>
        <message>
            <source>&amp;Aufnehmen</source>
            <translation>&amp;Record</translation>
        </message>
        <message>
            <source>W&amp;iedergeben</source>
            <translation>&amp;Play back</translation>
        </message>
        <message>
            <source>&amp;Werkzeugleiste</source>
            <translation>&amp;Tool bar</translation>
        </message>
        <message>
            <source>Werkzeugleiste des Schreibers ein- oder ausblenden</source>
            <translation>Show or hide the recorder’s tool bar</translation>
        </message>
        <message>
            <source>Information</source>
            <translation>Information</translation>
        </message>
        <message>
            <source>Kurve:</source>
            <translation>Series:</translation>
        </message>
        <message>
            <source>Spannung:</source>
            <translation>Voltage:</translation>
        </message>
        <message>
            <source>Aufnehmen</source>
            <translation>Record</translation>
        </message>
        <message>
            <source>Wiedergeben</source>
            <translation>Play back</translation>
        </message>
    </context>
    <context>
        <name>quellix::StrpChrtInt::TStripChartInt</name>
        <message>
            <source>Werkzeuge: </source>
            <translation>Tools: </translation>
        </message>
        <message>
            <source>Anzeige: </source>
            <translation>Display: </translation>
        </message>
    </context>
    <context>
        <name>quellix::_sEfa::TFormAxisStrip</name>
        <message>
            <source>Abstand</source>
            <translation>Spacing</translation>
        </message>
    </context>
    <context>
        <name>quellix::_sEjs::TFormJogShuttleBarStrip</name>
        <message>
            <source>An den Anfang spulen</source>
            <translation>Wind to the start</translation>
        </message>
        <message>
            <source>Spulen</source>
            <translation>Wind</translation>
        </message>
        <message>
            <source>An das Ende spulen</source>
            <translation>Wind to the end</translation>
        </message>
        <message>
            <source>Ereignis</source>
            <translation>Event</translation>
        </message>
    </context>
    <context>
        <name>quellix::_sEtb::TFormToolBarStrip</name>
        <message>
            <source>Farben</source>
            <translation>Colours</translation>
        </message>
    </context>
    <context>
        <name>quellix::app::TDemoWindow</name>
        <message>
            <source>Erläuterung</source>
            <translation>Explanation</translation>
        </message>
        <message>
            <source>S&amp;chließen</source>
            <translation>&amp;Close</translation>
        </message>
    </context>
    <context>
        <name>quellix::app::TFilterDemo</name>
        <message>
            <source>Rechteck (blau) und gefiltertes Signal (rot)</source>
            <translation>Square wave (blue) and filtered signal (red)</translation>
        </message>
        <message>
            <source>Zeit [s]</source>
            <translation>Time [s]</translation>
        </message>
        <message>
            <source>Amplitude</source>
            <translation>Amplitude</translation>
        </message>
        <message>
            <source>Eckfrequenz</source>
            <translation>Cutoff</translation>
        </message>
    </context>
</TS>
