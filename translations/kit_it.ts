<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>platform::StartText</name>
    <message>
        <source>%1: a graphical session is needed, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set).
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>thaikit</name>
    <message>
        <source>%1 is not an option of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--folder needs a folder, not an empty text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--set takes FIELD=VALUE, FIELD one of italian, pronunciation, thai, attribute, note, thai-sound, italian-sound: not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--record takes a number from 1: not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit needs at least one --set FIELD=VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no command given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes one word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes two words: ITALIAN PRONUNCIATION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lookup takes a word, not an empty text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The folder %1 is used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2 (line %3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds a record longer than 4 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it ends in the middle of a record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> [thai sound: %1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> [italian sound: %1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a character that the data files cannot hold: no entry has it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no entry &quot;%1&quot; in either direction.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no entry &quot;%1&quot; in either direction; near it: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>added to %1 and %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data file &quot;%1&quot; holds no entry &quot;%2&quot; = &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data files hold no entry &quot;%1&quot; = &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no --record %1: the data file &quot;%2&quot; holds the entry &quot;%3&quot; = &quot;%4&quot; %5 time(s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data file &quot;%1&quot; holds %2 different entries &quot;%3&quot; = &quot;%4&quot;; choose one with --record N:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the entry already reads so: nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> To change the forward record alone, add --forward-alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> To remove the forward record alone, add --forward-alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed in %1: %2
    now: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removed from %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Try &quot;thai-kit --help&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vocaboro</name>
    <message>
        <source>an entry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished, and another program has changed &quot;%2&quot; since. That file was left as it is: please check that entry in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data files changed last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished, and its record of that change, &quot;%2&quot;, is damaged. Nothing was done, so the entry may be changed in one data file only: please check it in %3. The damaged record was kept as &quot;%4&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A change or removal of %2 was stopped before it was finished, and &quot;%3&quot; could not be brought in line yet: %4. Until it is, the entry may differ between the data files, and no word can be added, changed or removed in this data folder. %1 tries again before each write and at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A change or removal of %2 was stopped before it was finished; %1 has now completed it in every data file it concerns.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished. Nothing was changed: the entry is as it was in both data files; make the change again to keep it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>journal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; ends with an incomplete record on line %2. Nothing was stored; repair that line, then write again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The entry is longer than a record of the data files can be (4 MiB). Nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds a record longer than 4 MiB on line %2. Nothing was stored; repair that line, then write again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An earlier, unfinished write could not be undone in &quot;%1&quot;: %2. Nothing was stored; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be %2&apos;s journal of unfinished writes: %3. Nothing was stored. Move it away or remove it (it holds no words), then write again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is in use by another program. Nothing was stored; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. The part of the entry already written to &quot;%4&quot; could not be removed (%5); %6 will remove it the next time it opens this data folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. Nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> To keep your own words, give %1 a folder of your own with --folder, such as %2/thai/, with a copy of the data files in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> To keep your own words, start %1 again and type a folder of your own at the prompt, such as %2/thai/, with a copy of the data files in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is where %2 keeps the record of an unfinished write, but %3. %2 neither reads nor changes it, and cannot add words to this data folder while it is there: move it away or remove it (it holds no words), then start %2 again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot use &quot;%2&quot;, its record of an unfinished write: %3. Until it can, the last entry written may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and another program has changed &quot;%3&quot; since. That file was left as it is: please check its last line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data files written last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and its record of that write, &quot;%3&quot;, is damaged. Nothing was removed, so the entry may be in one data file only: please check the last lines of %4. The damaged record was kept as &quot;%5&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and the part already stored in &quot;%3&quot; could not be removed yet: %4. Until it is, the entry may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2. The part already stored has been removed, so the entry is in neither data file: write it again to keep it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data file holds that entry. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; does not hold that entry (any longer). Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data file holds a reverse record that goes with the entry: it is in one direction only. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds no reverse record that goes with the entry: it is in one direction only. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds %2 reverse records that go with the entry, not one for each time its forward file holds it. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The changed entry cannot be written: a word has no data file for its first letter, a key word is empty, or a value holds a double quote or a line break. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; ends with an incomplete record on line %2. Nothing was changed; repair that line, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The changed entry is longer than a record of the data files can be (4 MiB). Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds a record longer than 4 MiB on line %2. Nothing was changed; repair that line, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An earlier, unfinished write or change could not be finished or undone in &quot;%1&quot;: %2. Nothing was changed; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is in use by another program. Nothing was changed; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data folder cannot be written, so &quot;%1&quot;, where a change is first written down, could not be made: %2. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the journal of unfinished writes: %2. Nothing was changed. Move it away or remove it (it holds no words), then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; is not changed in place: %2, and a change writes the file anew under its name. Nothing was changed. Put a copy of the file itself in its place, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be opened: %3. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The change is recorded, but &quot;%1&quot; could not be put in its place: %2. The record of the change stays in &quot;%3&quot;, and the next program of the kit that writes to this data folder finishes it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
