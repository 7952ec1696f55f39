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
</TS>
