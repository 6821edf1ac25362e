<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="sk">
<context>
    <name>quorrel::Hra</name>
    <message>
        <source>Tvoje skóre je: </source>
        <translation>Your score is: </translation>
    </message>
    <message>
        <source>Quorrelov život: </source>
        <translation>Quorrel&apos;s lives: </translation>
    </message>
    <message>
        <source>Život ufa: </source>
        <translation>UFO&apos;s lives: </translation>
    </message>
    <message>
        <source>Vítaj v mojej malej hre.<byte value="xd"/>Cieľom hry je zabiť mimozemšťana klikaním na neho skôr než sa dostane k ľavému okraju okna a potom ujde ufom. Zabiť sa ho snaž čo najviac, lebo za to získavaš skóre a čím vyššie skóre máš tým to je lepšie, lebo keď nahráš 300 bodov môžeš zostreliť ufo a potom vyhráš. Hra má celkovo tri otiažnosti. Držím ti palce!</source>
        <translation>Welcome to my little game.<byte value="xd"/>The aim of the game is to kill the alien by clicking on it before it reaches the left edge of the window and escapes by UFO. Try to kill it as many times as you can, because that earns you score, and the higher your score the better: once you reach 300 points you can shoot down the UFO, and then you win. The game has three difficulties in all. Fingers crossed!</translation>
    </message>
    <message>
        <source>Prehral(a) si mimozemšťan utiekol ufom!</source>
        <translation>You lost: the alien escaped by UFO!</translation>
    </message>
    <message>
        <source>Prehral(a) si mimozemšťan utiekol ufom! Škoda už ho stačilo len zostreliť.</source>
        <translation>You lost: the alien escaped by UFO! A pity: all that was left was to shoot it down.</translation>
    </message>
    <message>
        <source>Zničil si ufo teraz už mimozemšťan nemá čím utiecť. Blahoželám vyhral si. Zachránil si Zem od invázie mimozemšťanov.</source>
        <translation>You destroyed the UFO, so now the alien has no way to escape. Congratulations, you won! You saved Earth from the alien invasion.</translation>
    </message>
    <message>
        <source>Obtiažnosť: </source>
        <translation>Difficulty: </translation>
    </message>
    <message>
        <source>Quorrel - pravidlá</source>
        <translation>Quorrel - rules</translation>
    </message>
    <message>
        <source>Vyhral si</source>
        <translation>You won</translation>
    </message>
    <message>
        <source>Najvyššie skóre: </source>
        <translation>Top score: </translation>
    </message>
    <message>
        <source>Na obtiažnosť: </source>
        <translation>On difficulty: </translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Pravidlá</source>
        <translation>Rules</translation>
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
        <source>Štart</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Najvyššie skóre: 0</source>
        <translation>Top score: 0</translation>
    </message>
    <message>
        <source>ufo</source>
        <translation>UFO</translation>
    </message>
    <message>
        <source>Mimozemšťan iba prefrčí cez obrazovku. Musíš na neho kliknúť štyri krát.</source>
        <translation>The alien just zips across the screen. Click it four times.</translation>
    </message>
    <message>
        <source>Mimozemštan ide stredne rýchlo. Musíš na neho kliknúť tri krát.</source>
        <translation>The alien walks at medium speed. Click it three times.</translation>
    </message>
    <message>
        <source>Mimozemšťan ide najpomalšie. Musíš na neho kliknúť dvakrát.</source>
        <translation>The alien walks at its slowest. Click it twice.</translation>
    </message>
    <message>
        <source>Tvoje skóre je: 0</source>
        <translation>Your score is: 0</translation>
    </message>
    <message>
        <source>mimozemšťan</source>
        <translation>alien</translation>
    </message>
</context>
<context>
    <name>quorrel::Rules</name>
    <message>
        <source>Úbohosť nad úbohosť, získal(a) si len </source>
        <translation>Pathetic beyond pathetic, you only got </translation>
    </message>
    <message>
        <source>!</source>
        <translation>!</translation>
    </message>
    <message>
        <source>Nie si nijaký(á) majster(ka), lebo si získal(a) len </source>
        <translation>You are no master at all, since you only got </translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Si dobrý(á) ale na najľahšiu obitažnosť ja by som to dokázal aj so zatvorenými očami! Tvoje skóre je: </source>
        <translation>You are good, but on the easiest difficulty I could do that with my eyes closed! Your score is: </translation>
    </message>
    <message>
        <source>Perfekné získal(a) si </source>
        <translation>Perfect, you got </translation>
    </message>
    <message>
        <source>. Ale mysli na to že to je najľahšia obtiažnosť.</source>
        <translation>. But remember that this is the easiest difficulty.</translation>
    </message>
    <message>
        <source>Úbohosť, získal(a) si len </source>
        <translation>Pathetic, you only got </translation>
    </message>
    <message>
        <source>Získal(a) si dosť málo skóre. Tvoje skóre je: </source>
        <translation>You scored rather little. Your score is: </translation>
    </message>
    <message>
        <source>. Čo si o tom myslíš?</source>
        <translation>. What do you think of that?</translation>
    </message>
    <message>
        <source>Dobré skóre na túto obtiažnosť! </source>
        <translation>A good score for this difficulty! </translation>
    </message>
    <message>
        <source>Si veľmi dobrý tvoje skóre je: </source>
        <translation>You are very good, your score is: </translation>
    </message>
    <message>
        <source>Toto je teda najťažšia obtiažnosť aspoň sa ti podarilo získať </source>
        <translation>Well, this is the hardest difficulty: at least you managed to get </translation>
    </message>
    <message>
        <source>. Toto je dobré skóre! Aj keď je malé, ale na akú obtiažnosť!</source>
        <translation>. That is a good score! Small, maybe, but on what a difficulty!</translation>
    </message>
    <message>
        <source>. Toto je úplne skvelé skóre na takúto ťažkú obtiažnosť!</source>
        <translation>. That is a truly great score on such a hard difficulty!</translation>
    </message>
    <message>
        <source>Ty si super majster! Takéto vysoké skóre a na takúto obtiažnosť sa nevidí každú chvíľu! Perfektné! Máš presne: </source>
        <translation>You are a true master! A score this high on this difficulty is not seen every day! Perfect! You have exactly: </translation>
    </message>
    <message>
        <source>ľahká</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>ľahkú</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>stredná</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>strednú</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>ťažká</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>ťažkú</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>bod</source>
        <translation>point</translation>
    </message>
    <message>
        <source>body</source>
        <translation>points</translation>
    </message>
    <message>
        <source>bodov</source>
        <translation>points</translation>
    </message>
</context>
<context>
    <name>quorrel::Úvod</name>
    <message>
        <source>Uvádza hru:</source>
        <translation>Presents:</translation>
    </message>
</context>
</TS>
