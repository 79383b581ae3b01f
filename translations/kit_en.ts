<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ripasso::ImportText</name>
    <message numerus="yes">
        <source> The %n entries added before it are stored; the rows after them were not imported: import the file again once this is mended (what is there already is skipped).</source>
        <translation>
            <numerusform> The %n entry added before it is stored; the rows after it were not imported: import the file again once this is mended (what is there already is skipped).</numerusform>
            <numerusform> The %n entries added before it are stored; the rows after them were not imported: import the file again once this is mended (what is there already is skipped).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recording(s) of the package copied into the folder.</source>
        <translation>
            <numerusform>%n recording of the package copied into the folder.</numerusform>
            <numerusform>%n recordings of the package copied into the folder.</numerusform>
        </translation>
    </message>
</context>
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
<context>
    <name>vocaboro::EntryText</name>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and another program has changed &quot;%2&quot; since. That file was left as it is: please check its last lines. The entries of the import were removed from the other data files.</source>
        <translation>
            <numerusform>%1 stopped before it had finished an import of %n entry, and another program has changed &quot;%2&quot; since. That file was left as it is: please check its last lines. The entry of the import was removed from the other data files.</numerusform>
            <numerusform>%1 stopped before it had finished an import of %n entries, and another program has changed &quot;%2&quot; since. That file was left as it is: please check its last lines. The entries of the import were removed from the other data files.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and its record of that import, &quot;%2&quot;, is damaged. Nothing was removed, so some of those entries may be in one data file only: please check the last lines of %3. The damaged record was kept as &quot;%4&quot;.</source>
        <translation>
            <numerusform>%1 stopped before it had finished an import of %n entry, and its record of that import, &quot;%2&quot;, is damaged. Nothing was removed, so that entry may be in one data file only: please check the last lines of %3. The damaged record was kept as &quot;%4&quot;.</numerusform>
            <numerusform>%1 stopped before it had finished an import of %n entries, and its record of that import, &quot;%2&quot;, is damaged. Nothing was removed, so some of those entries may be in one data file only: please check the last lines of %3. The damaged record was kept as &quot;%4&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and the part already stored in &quot;%2&quot; could not be removed yet: %3. Until it is, those entries may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation>
            <numerusform>%1 stopped before it had finished an import of %n entry, and the part already stored in &quot;%2&quot; could not be removed yet: %3. Until it is, that entry may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</numerusform>
            <numerusform>%1 stopped before it had finished an import of %n entries, and the part already stored in &quot;%2&quot; could not be removed yet: %3. Until it is, those entries may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries. The part already stored has been removed, so none of them was kept: import them again to keep them.</source>
        <translation>
            <numerusform>%1 stopped before it had finished an import of %n entry. The part already stored has been removed, so it was not kept: import it again to keep it.</numerusform>
            <numerusform>%1 stopped before it had finished an import of %n entries. The part already stored has been removed, so none of them was kept: import them again to keep them.</numerusform>
        </translation>
    </message>
</context>
</TS>
