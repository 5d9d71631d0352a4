<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Back to the main window</source>
        <comment>leaves the author view</comment>
        <translation>Terug naar het beginvenster</translation>
    </message>
    <message>
        <source>With thanks to               :</source>
        <translation>Met dank aan               :</translation>
    </message>
    <message>
        <source>%1 picks the screen color and shows the </source>
        <translation>%1 pakt de schermkleur op en toont de</translation>
    </message>
    <message>
        <source>hexadecimal RGB value and the Web Save value.</source>
        <translation>Hexadecimale waarde en de Webveilige waarde.</translation>
    </message>
    <message>
        <source>Contact the author of %1</source>
        <translation>Stuur uw opmerkingen naar de auteur van %1</translation>
    </message>
    <message>
        <source>Back to the main window</source>
        <comment>leaves the About window</comment>
        <translation>Verlaat Info-scherm</translation>
    </message>
    <message>
        <source>Download the newest version of %1</source>
        <translation>Ga naar mijn Home Page</translation>
    </message>
    <message>
        <source>Hi Korvan</source>
        <translation>Hallo Korvan</translation>
    </message>
    <message>
        <source>On you Home Page I found the program %1.</source>
        <translation>Ik vond op je Home Page het programma %1.</translation>
    </message>
    <message>
        <source>I want to comment on this program:</source>
        <translation>Ik wil hierover het volgende kwijt:</translation>
    </message>
    <message>
        <source>Kind regards,</source>
        <translation>Met vriendelijke groet,</translation>
    </message>
    <message>
        <source>The program %1 has been written by:</source>
        <translation>Het programma %1 is geschreven door:</translation>
    </message>
    <message>
        <source>Please try my other programs.</source>
        <translation>Bekijk ook mijn andere programma&apos;s.</translation>
    </message>
    <message>
        <source>Mail or write for further information!</source>
        <translation>Mail, bel of schrijf voor nadere informatie!</translation>
    </message>
    <message>
        <source> - Information</source>
        <translation> - Informatie</translation>
    </message>
    <message>
        <source> - Author</source>
        <translation> - Auteur</translation>
    </message>
    <message>
        <source>Error sending E-mail.</source>
        <translation>E-mail is in de fout gegaan.</translation>
    </message>
    <message>
        <source>Browser not opened.</source>
        <translation>Browser niet geopend.</translation>
    </message>
    <message>
        <source>9999 ZZ Voorbeeldstad, The Netherlands</source>
        <translation>9999 ZZ Voorbeeldstad</translation>
    </message>
    <message>
        <source>+31 99 555 01 42</source>
        <translation>099 - 555 01 42</translation>
    </message>
    <message>
        <source>https://korvan.example.org/en/</source>
        <translation>https://korvan.example.org/nl/</translation>
    </message>
    <message>
        <source>https://korvan.example.org/en/downloads.html#</source>
        <translation>https://korvan.example.org/nl/downloads.html#</translation>
    </message>
</context>
<context>
    <name>AppInfo</name>
    <message>
        <source>version %1</source>
        <translation>versie %1a</translation>
    </message>
    <message>
        <source>Copyright © 2026 the Tintor developers</source>
        <translation>Copyright © 2026 de ontwikkelaars van Tintor</translation>
    </message>
</context>
<context>
    <name>ScreenshotPick</name>
    <message>
        <source>The desktop offers no screenshot.</source>
        <translation>Het bureaublad biedt geen schermafdruk.</translation>
    </message>
    <message>
        <source>The desktop refused the screenshot.</source>
        <translation>Het bureaublad weigerde de schermafdruk.</translation>
    </message>
    <message>
        <source>The desktop did not answer.</source>
        <translation>Het bureaublad antwoordde niet.</translation>
    </message>
    <message>
        <source>The desktop could not take the screenshot.</source>
        <translation>Het bureaublad kon geen schermafdruk maken.</translation>
    </message>
</context>
<context>
    <name>ColourCopy</name>
    <message>
        <source>Copy as</source>
        <translation>Kopiëren als</translation>
    </message>
</context>
<context>
    <name>ColourReceiver</name>
    <message>
        <source>The clipboard holds no colour.</source>
        <translation>Het klembord bevat geen kleur.</translation>
    </message>
    <message>
        <source>The clipboard did not answer.</source>
        <translation>Het klembord antwoordde niet.</translation>
    </message>
    <message>
        <source>The drop holds no colour.</source>
        <translation>Het neergezette bevat geen kleur.</translation>
    </message>
    <message>
        <source>The colour&apos;s transparency is dropped: Tintor&apos;s colours are opaque.</source>
        <translation>De transparantie van de kleur is weggelaten: de kleuren van Tintor zijn dekkend.</translation>
    </message>
</context>
<context>
    <name>ColourSwatch</name>
    <message>
        <source>near %1</source>
        <translation>bijna %1</translation>
    </message>
</context>
<context>
    <name>RecentColoursMenu</name>
    <message>
        <source>Recent colours</source>
        <translation>Recente kleuren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
</context>
<context>
    <name>Contrast</name>
    <message>
        <source>AA normal text</source>
        <translation>AA normale tekst</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA grote tekst</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA normale tekst</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA grote tekst</translation>
    </message>
    <message>
        <source>UI and graphics</source>
        <translation>Bediening en grafiek</translation>
    </message>
</context>
<context>
    <name>ContrastChoice</name>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Aa</source>
        <translation>Aa</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
</context>
<context>
    <name>ContrastVerdict</name>
    <message>
        <source>Lighter</source>
        <translation>Lichter</translation>
    </message>
    <message>
        <source>Darker</source>
        <translation>Donkerder</translation>
    </message>
    <message>
        <source>no lightness</source>
        <translation>geen lichtheid</translation>
    </message>
    <message>
        <source>No lightness of this hue reaches the ratio</source>
        <translation>Geen lichtheid van deze tint haalt de verhouding</translation>
    </message>
    <message>
        <source>%1: at least %2</source>
        <translation>%1: minstens %2</translation>
    </message>
    <message>
        <source>%1 passes</source>
        <translation>%1 voldoet</translation>
    </message>
    <message>
        <source>%1 fails</source>
        <translation>%1 voldoet niet</translation>
    </message>
    <message>
        <source>%1 not known</source>
        <translation>%1 onbekend</translation>
    </message>
    <message>
        <source>%1: meets %2</source>
        <translation>%1: voldoet aan %2</translation>
    </message>
    <message>
        <source>Lighter %1</source>
        <translation>Lichter %1</translation>
    </message>
    <message>
        <source>Darker %1</source>
        <translation>Donkerder %1</translation>
    </message>
</context>
<context>
    <name>ContrastView</name>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Text on background</source>
        <translation>Tekst op achtergrond</translation>
    </message>
    <message>
        <source>Contrast ratio (WCAG 2.2), rounded down</source>
        <translation>Contrastverhouding (WCAG 2.2), naar beneden afgerond</translation>
    </message>
    <message>
        <source>S&amp;wap</source>
        <translation>&amp;Wissel</translation>
    </message>
    <message>
        <source>Swap text and background</source>
        <translation>Wissel tekst en achtergrond</translation>
    </message>
    <message>
        <source>contrast %1 to 1, %2</source>
        <translation>contrast %1 op 1, %2</translation>
    </message>
    <message>
        <source>contrast not known</source>
        <translation>contrast onbekend</translation>
    </message>
    <message>
        <source>No colour under the pointer</source>
        <translation>Geen kleur onder de aanwijzer</translation>
    </message>
</context>
<context>
    <name>CastFollowChoice</name>
    <message>
        <source>Follow the pointer everywhere</source>
        <translation>Overal de aanwijzer volgen</translation>
    </message>
    <message>
        <source>The desktop offers no screen cast with the pointer&apos;s place.</source>
        <translation>Het bureaublad biedt geen schermdeling met de plaats van de aanwijzer.</translation>
    </message>
    <message>
        <source>The desktop did not share the screen.</source>
        <translation>Het bureaublad heeft het scherm niet gedeeld.</translation>
    </message>
    <message>
        <source>The screen cast broke off.</source>
        <translation>De schermdeling is afgebroken.</translation>
    </message>
    <message>
        <source>The desktop sent no picture of the screen.</source>
        <translation>Het bureaublad stuurde geen beeld van het scherm.</translation>
    </message>
    <message>
        <source>The screen cast does not show the pointer where it is.</source>
        <translation>De schermdeling toont de aanwijzer niet waar hij is.</translation>
    </message>
    <message>
        <source>The desktop could not share the screen.</source>
        <translation>Het bureaublad kon het scherm niet delen.</translation>
    </message>
    <message>
        <source>The screen sharing was ended from the desktop.</source>
        <translation>Het delen van het scherm is vanuit het bureaublad beëindigd.</translation>
    </message>
    <message>
        <source>The pointer is followed only over Tintor&apos;s windows.</source>
        <translation>De aanwijzer wordt alleen boven de vensters van Tintor gevolgd.</translation>
    </message>
    <message>
        <source>Over other programs&apos; windows Tintor does not know where the pointer is. Right-click here and choose &quot;Follow the pointer everywhere&quot; to follow it anywhere; the desktop will ask you to share the screen.</source>
        <translation>Boven vensters van andere programma&apos;s weet Tintor niet waar de aanwijzer is. Klik hier met de rechtermuisknop en kies &quot;Overal de aanwijzer volgen&quot; om hem overal te volgen; het bureaublad vraagt dan of u het scherm wilt delen.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Opties</translation>
    </message>
    <message>
        <source>&amp;Pick From Screen</source>
        <translation>&amp;Pluk van scherm</translation>
    </message>
    <message>
        <source>Single Pixel</source>
        <translation>Één Pixel</translation>
    </message>
    <message>
        <source>3x3 Average</source>
        <translation>3x3-gemiddelde</translation>
    </message>
    <message>
        <source>5x5 Average</source>
        <translation>5x5-gemiddelde</translation>
    </message>
    <message>
        <source>7x7 Average</source>
        <translation>7x7-gemiddelde</translation>
    </message>
    <message>
        <source>Picking %1</source>
        <translation>Pluk %1</translation>
    </message>
    <message>
        <source>Screen not read.</source>
        <translation>Scherm niet gelezen.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Options</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Colour Sampling Method</source>
        <translation>Sample-methode</translation>
    </message>
    <message>
        <source>&amp;Single Pixel</source>
        <translation>Één Pixel</translation>
    </message>
    <message>
        <source>&amp;3x3 Average</source>
        <translation>&amp;3x3-emiddelde</translation>
    </message>
    <message>
        <source>&amp;5x5 Average</source>
        <translation>&amp;5x5-middelde</translation>
    </message>
    <message>
        <source>&amp;7x7 Average</source>
        <translation>&amp;7x7-gemiddelde</translation>
    </message>
</context>
</TS>
