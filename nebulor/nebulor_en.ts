<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="sk">
<context>
    <name>nebulor::Hra</name>
    <message>
        <source>Skóre: </source>
        <translation>Score: </translation>
    </message>
    <message>
        <source>Naj skóre: </source>
        <translation>Top score: </translation>
    </message>
    <message>
        <source>Obtiažnosť: </source>
        <translation>Difficulty: </translation>
    </message>
    <message>
        <source>Ufo2 život: 15</source>
        <translation>UFO2 life: 15</translation>
    </message>
    <message>
        <source>Ufo1 život: 15</source>
        <translation>UFO1 life: 15</translation>
    </message>
    <message>
        <source>Quorrel3 život: 3</source>
        <translation>Quorrel3 life: 3</translation>
    </message>
    <message>
        <source>Quorrel2 život: 2</source>
        <translation>Quorrel2 life: 2</translation>
    </message>
    <message>
        <source>Quorrel1 život: 2</source>
        <translation>Quorrel1 life: 2</translation>
    </message>
    <message>
        <source>mimozemšťan</source>
        <translation>alien</translation>
    </message>
    <message>
        <source>ufo</source>
        <translation>UFO</translation>
    </message>
</context>
<context>
    <name>nebulor::Logo</name>
    <message>
        <source>Opäť uvádza hru: </source>
        <translation>Once again presents: </translation>
    </message>
</context>
<context>
    <name>nebulor::Menu</name>
    <message>
        <source>Zlý, nechutný, odporný, smradľavý a nebezpečný mimozešťania sa opäť vrátili na Zem, ale teraz v oveľa väčšom množstve. Tvojou úlohou je zabiť 60 mimozemšťanov skôr kým jeden z nich pristane na Zemi, ale pozor čím viacej krát zabiješ mimozemšťana, tak tým padá rýchlejšie, keď ich už zabiješ 60, tak sa ozve tón a budeš môcť zničiť ufá a keď už zničíš ufá, tak si zachránil Zem od ďalšej invázie mimozemšťanov, teda vyhral si.</source>
        <translation>The evil, disgusting, revolting, stinking and dangerous aliens have come back to Earth, but this time in far greater numbers. Your task is to kill 60 aliens before one of them lands on Earth. But beware: the more times you kill an alien, the faster it falls. Once you have killed 60, a tone sounds and you can destroy the UFOs, and once you have destroyed the UFOs, you have saved Earth from another alien invasion, and so you have won.</translation>
    </message>
    <message>
        <source>Najlepšie skóre: </source>
        <translation>Best score: </translation>
    </message>
    <message>
        <source>Na obtiažnosť: </source>
        <translation>On difficulty: </translation>
    </message>
    <message>
        <source>Prestný čas: </source>
        <translation>Exact time: </translation>
    </message>
    <message>
        <source>Dnes je: </source>
        <translation>Today is: </translation>
    </message>
    <message>
        <source>Najlepšie skóre je: </source>
        <translation>The best score is: </translation>
    </message>
    <message>
        <source>žiadnu</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Vyššie uvedené najlepšie skóre si nahral na obtiažnosť: </source>
        <translation>You set the best score above on difficulty: </translation>
    </message>
    <message>
        <source>Najlepšie skóre</source>
        <translation>Best score</translation>
    </message>
    <message>
        <source>Na obtiažnosť</source>
        <translation>On difficulty</translation>
    </message>
    <message>
        <source>. Všetky práva vyhradené.</source>
        <translation>. All rights reserved.</translation>
    </message>
    <message>
        <source>Navštív stránku </source>
        <translation>Visit </translation>
    </message>
    <message>
        <source>, kde si môžeš stiahnuť ďalšie hry.</source>
        <translation>, where you can download more games.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Nová hra</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Obtiažnosť</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>Ťažká</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>Stredná</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Ľahká</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>Pokračovanie hry Quorrel</source>
        <translation>The sequel to Quorrel</translation>
    </message>
    <message>
        <source>Info pred hraním:</source>
        <translation>Before you play:</translation>
    </message>
    <message>
        <source>Na obtiažnosť: žiadnu</source>
        <translation>On difficulty: none</translation>
    </message>
    <message>
        <source>- Nová hra -</source>
        <translation>- New game -</translation>
    </message>
    <message>
        <source>- About -</source>
        <translation>- About -</translation>
    </message>
    <message>
        <source>- Koniec -</source>
        <translation>- Quit -</translation>
    </message>
</context>
<context>
    <name>nebulor::Rules</name>
    <message>
        <source>Otiažnosť: ľahká</source>
        <translation>Difficulty: easy</translation>
    </message>
    <message>
        <source>ľahkú</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>Otiažnosť: stredná</source>
        <translation>Difficulty: medium</translation>
    </message>
    <message>
        <source>strednú</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>Otiažnosť: ťažká</source>
        <translation>Difficulty: hard</translation>
    </message>
    <message>
        <source>ťažkú</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>Gratulujem! Zničil si obidve mimozemšťanské ufá a zachránil si Zem od skazy teda invázie mimozemšťanov... Získal si skóre: </source>
        <translation>Congratulations! You destroyed both alien UFOs and saved Earth from ruin, that is, from the alien invasion... Your score: </translation>
    </message>
    <message>
        <source>Prehral si mimozemšťan pristál na Zemi.<byte value="xd"/>Získal si skóre: </source>
        <translation>You lost: an alien landed on Earth.<byte value="xd"/>Your score: </translation>
    </message>
    <message>
        <source> a tým si prekonal najlepšie skóre.</source>
        <translation>, and with it you beat the best score.</translation>
    </message>
    <message>
        <source> bohužiaľ neprekonal si najlepšie skóre.</source>
        <translation>. Sadly, you did not beat the best score.</translation>
    </message>
    <message>
        <source>Vyhral si</source>
        <translation>You won</translation>
    </message>
    <message>
        <source>Prehral si</source>
        <translation>You lost</translation>
    </message>
    <message>
        <source>Quorrel1 život: </source>
        <translation>Quorrel1 life: </translation>
    </message>
    <message>
        <source>Quorrel2 život: </source>
        <translation>Quorrel2 life: </translation>
    </message>
    <message>
        <source>Quorrel3 život: </source>
        <translation>Quorrel3 life: </translation>
    </message>
    <message>
        <source>Ufo1 život: </source>
        <translation>UFO1 life: </translation>
    </message>
    <message>
        <source>Ufo2 život: </source>
        <translation>UFO2 life: </translation>
    </message>
</context>
</TS>
