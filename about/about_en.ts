<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="sk">
<context>
    <name>about::About</name>
    <message>
        <source>Vytvorené v C++ a Qt 6</source>
        <translation>Written in C++</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Systémové inforácie nie sú teraz prístupné</source>
        <translation>System information is not available right now.</translation>
    </message>
    <message>
        <source>Informácie o systéme nie sú teraz prístupné</source>
        <translation>Information about the system is not available right now.</translation>
    </message>
</context>
<context>
    <name>about::NebulorAbout</name>
    <message>
        <source>Hru si zapol o: </source>
        <translation>Started at: </translation>
    </message>
    <message>
        <source>Hru som spravil behom 15.3. 2004 - 17.3. 2004 čo mi trvalo presne 9,5 hodiny čistého času do tohoto času som aj zahrnul kreslenie. Hlavný zdrojový kód bol spravený behom prvého dňa čo trvalo 1,5 hodiny. Druhý deň sa usilovne pracovalo 3 hodiny. Tretí deň sa robili už hlavne úpravy, grafcké vymoženosti, vylepšovalo sa a tvrdo sa pracovalo na aboute čo spolu trvalo najdlhšie len 5 hodín :).</source>
        <translation>I made the game from 15 to 17 March 2004, which took me exactly 9.5 hours of working time, drawing included. The main source code was written on the first day, in 1.5 hours. The second day brought 3 hours of hard work. The third day went mostly on adjustments and graphical extras, on polishing, and on hard work on the about box, which all together took the longest: just 5 hours :).</translation>
    </message>
    <message>
        <source>Hra by mala fungovať bez problémov pod Windows 9x/ME. Pod Windows 2000/XP je hra príliš rýchla a to koli tomu, že Windowsy 2000/XP chápu Timery (časovače) ináč ako Windowsy 9x/ME.</source>
        <translation>The game should run without problems on the older home systems it was made on. On newer systems it runs too fast, because they handle timers differently.</translation>
    </message>
    <message>
        <source>Verzia:</source>
        <translation>Ver.:</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Hru si spustil o:</source>
        <translation>You started at:</translation>
    </message>
    <message>
        <source>Vývoj hry:</source>
        <translation>Making of the game:</translation>
    </message>
    <message>
        <source>Hra bola skompilovaná pod Windows ME.</source>
        <translation>The game was compiled on an older system.</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>System Info</translation>
    </message>
</context>
<context>
    <name>about::QuorrelAbout</name>
    <message>
        <source>Verzia: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Toto je verzia pre Windows9x/ME!</source>
        <translation>This is the version for older systems!</translation>
    </message>
    <message>
        <source>Skompilované pod Windows ME.</source>
        <translation>Compiled on an older system.</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>System Info</translation>
    </message>
</context>
</TS>
