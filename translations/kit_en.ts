<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ripasso::MainText</name>
    <message numerus="yes">
        <source>ripasso: %n note(s) from %1 written to %2
</source>
        <translation>
            <numerusform>ripasso: %n note from %1 written to %2
</numerusform>
            <numerusform>ripasso: %n notes from %1 written to %2
</numerusform>
        </translation>
    </message>
</context>
</TS>
