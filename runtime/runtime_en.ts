<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="sk">
<context>
    <name>rt</name>
    <message>
        <source>Unexpected error</source>
        <translation>Unexpected error</translation>
    </message>
    <message>
        <source>Run-time error 6: Overflow</source>
        <translation>Run-time error 6: Overflow</translation>
    </message>
</context>
<context>
    <name>rt::PauseCover</name>
    <message>
        <source>Pauza</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Pokračuj klávesom P alebo kliknutím</source>
        <translation>Press P or click to go on</translation>
    </message>
    <message>
        <source>Hra pokračuje</source>
        <translation>The game goes on</translation>
    </message>
</context>
</TS>
