<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>chartola::ChartText</name>
    <message>
        <source>mid class consonant</source>
        <translation>consonante di classe media</translation>
    </message>
    <message>
        <source>high class consonant</source>
        <translation>consonante di classe alta</translation>
    </message>
    <message>
        <source>low class consonant</source>
        <translation>consonante di classe bassa</translation>
    </message>
    <message>
        <source>vowel letter</source>
        <translation>lettera vocale</translation>
    </message>
    <message>
        <source>
no longer used</source>
        <translation>
non più in uso</translation>
    </message>
    <message>
        <source>Name of the letter</source>
        <translation>Nome della lettera</translation>
    </message>
    <message>
        <source>Reading of the letter</source>
        <translation>Lettura della lettera</translation>
    </message>
    <message>
        <source>Your notes</source>
        <translation>Le tue note</translation>
    </message>
</context>
<context>
    <name>chartola::DictionaryText</name>
    <message>
        <source>Word to look up</source>
        <translation>Parola da cercare</translation>
    </message>
    <message>
        <source>Load the whole Italian-Thai dictionary</source>
        <translation>Carica tutto il dizionario italiano-thai</translation>
    </message>
    <message>
        <source>Load the whole Thai-Italian dictionary</source>
        <translation>Carica tutto il dizionario thai-italiano</translation>
    </message>
    <message>
        <source>Pronunciation or translation</source>
        <translation>Pronuncia o traduzione</translation>
    </message>
    <message>
        <source>Attribute and note</source>
        <translation>Attributo e nota</translation>
    </message>
    <message>
        <source>Loaded letter</source>
        <translation>Lettera caricata</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2.</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>it holds a record longer than 4 MiB</source>
        <translation>contiene un record più lungo di 4 MiB</translation>
    </message>
    <message>
        <source>it ends in the middle of a record</source>
        <translation>finisce a metà di un record</translation>
    </message>
    <message>
        <source> (line %1)</source>
        <translation> (riga %1)</translation>
    </message>
</context>
<context>
    <name>chartola::MainText</name>
    <message>
        <source>Usage: chartola [--help | --version]
Chartola, the Thai alphabet trainer of the Thai kit: a chart of the 46 Thai
consonants (a click shows the reading and the name and plays the letter&apos;s sound) and
a dictionary window that loads the word lists and shows the entry picked.
It asks for the folder of the data files and of the sounds; C:\THAI\ is your own
copy of the kit&apos;s starter dictionary and letter sounds.

  --help     show this help and end
  --version  show the version and end

It needs a graphical session. See also: man chartola.
</source>
        <translation>Uso: chartola [--help | --version]
Chartola, l&apos;allenatore dell&apos;alfabeto thai del Thai kit: una tabella delle 46
consonanti thai (un clic mostra la lettura e il nome e fa sentire il suono della
lettera) e una finestra del dizionario che carica gli elenchi di parole e mostra la
voce scelta.
Chiede la cartella dei file di dati e quella dei suoni; C:\THAI\ è la tua copia del
dizionario iniziale e dei suoni delle lettere del kit.

  --help     mostra questo aiuto ed esce
  --version  mostra la versione ed esce

Richiede una sessione grafica. Vedi anche: man chartola.
</translation>
    </message>
</context>
<context>
    <name>companion::CreditsText</name>
    <message>
        <source>Press Enter or click to go on</source>
        <translation>Premi Invio o fai clic per continuare</translation>
    </message>
</context>
<context>
    <name>platform::ErrorText</name>
    <message>
        <source>no error</source>
        <translation>nessun errore</translation>
    </message>
    <message>
        <source>it is not an ordinary file (a device, a pipe or a socket)</source>
        <translation>non è un file normale (è un dispositivo, una pipe o un socket)</translation>
    </message>
    <message>
        <source>another program changed it meanwhile</source>
        <translation>un altro programma l&apos;ha modificato nel frattempo</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>è un collegamento simbolico</translation>
    </message>
    <message>
        <source>it is a hard link: the same file has another name too</source>
        <translation>è un collegamento fisico: lo stesso file ha anche un altro nome</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>è danneggiato</translation>
    </message>
    <message>
        <source>it was saved as UTF-8 (it begins with a byte-order mark), and the dictionary files keep one byte a letter: code page 1252, and TIS-620 for the Thai script</source>
        <translation>è stato salvato in UTF-8 (comincia con un byte-order mark), mentre i file del dizionario usano un byte per lettera: la code page 1252, e TIS-620 per la scrittura thai</translation>
    </message>
    <message>
        <source>it holds a record longer than 4 MiB</source>
        <translation>contiene un record più lungo di 4 MiB</translation>
    </message>
    <message>
        <source>the file or a folder of its path does not exist</source>
        <translation>il file o una cartella del suo percorso non esiste</translation>
    </message>
    <message>
        <source>a part of the path is a file, not a folder</source>
        <translation>una parte del percorso è un file, non una cartella</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>è una cartella, non un file</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permesso negato</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>il disco è pieno</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>la quota del disco è esaurita</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>il file è troppo grande</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>il disco è di sola lettura</translation>
    </message>
    <message>
        <source>input/output error</source>
        <translation>errore di input/output</translation>
    </message>
    <message>
        <source>it is in use by another program</source>
        <translation>è in uso da parte di un altro programma</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>non c&apos;è abbastanza memoria per leggerlo</translation>
    </message>
</context>
<context>
    <name>platform::EspeakSpeech</name>
    <message>
        <source>No audio device can play the sound.</source>
        <translation>Nessun dispositivo audio può riprodurre il suono.</translation>
    </message>
</context>
<context>
    <name>platform::StartText</name>
    <message>
        <source>%1: a graphical session is needed, and none was found (neither DISPLAY nor WAYLAND_DISPLAY is set).
</source>
        <translation>%1: serve una sessione grafica, e non ne è stata trovata nessuna (né DISPLAY né WAYLAND_DISPLAY sono impostate).
</translation>
    </message>
</context>
<context>
    <name>platform::VoiceRecorder</name>
    <message>
        <source>The microphone stopped: the recording ends here.</source>
        <translation>Il microfono si è fermato: la registrazione finisce qui.</translation>
    </message>
</context>
<context>
    <name>platform::WordSpeech</name>
    <message>
        <source>The sound file “%1” cannot be played: it is missing.</source>
        <translation>Il file sonoro “%1” non può essere riprodotto: non esiste.</translation>
    </message>
    <message>
        <source>The sound file “%1” cannot be played: it is not a WAV file.</source>
        <translation>Il file sonoro “%1” non può essere riprodotto: non è un file WAV.</translation>
    </message>
    <message>
        <source>The sound file “%1” cannot be played: it is larger than 16 MiB.</source>
        <translation>Il file sonoro “%1” non può essere riprodotto: è più grande di 16 MiB.</translation>
    </message>
    <message>
        <source>The sound file “%1” cannot be played: it is not a regular file.</source>
        <translation>Il file sonoro “%1” non può essere riprodotto: non è un file normale.</translation>
    </message>
    <message>
        <source>The sound file “%1” cannot be played: it cannot be read.</source>
        <translation>Il file sonoro “%1” non può essere riprodotto: non si può leggere.</translation>
    </message>
    <message>
        <source>The sound field “%1” names a path outside the sound folder: it was not opened.</source>
        <translation>Il campo sonoro “%1” indica un percorso fuori dalla cartella dei suoni: non è stato aperto.</translation>
    </message>
    <message>
        <source>There is no word to say.</source>
        <translation>Non c&apos;è nessuna parola da pronunciare.</translation>
    </message>
    <message>
        <source>The kit cannot read this Thai word with certainty, so its voice does not say it. You can record the word on Ripasso&apos;s Words page (Record).</source>
        <translation>Il kit non sa leggere con certezza questa parola thai, quindi la sua voce non la pronuncia. Puoi registrare la parola nella pagina Le tue parole di Ripasso (Registra).</translation>
    </message>
    <message>
        <source>Speech is not installed: the kit&apos;s voice (eSpeak NG) is missing.</source>
        <translation>La sintesi vocale non è installata: manca la voce del kit (eSpeak NG).</translation>
    </message>
</context>
<context>
    <name>ripasso::DrillPage</name>
    <message>
        <source>The letter you hear</source>
        <translation>La lettera che senti</translation>
    </message>
    <message>
        <source>&amp;Next (Enter)</source>
        <translation>&amp;Avanti (Invio)</translation>
    </message>
    <message>
        <source>mid class</source>
        <translation>classe media</translation>
    </message>
    <message>
        <source>high class</source>
        <translation>classe alta</translation>
    </message>
    <message>
        <source>low class</source>
        <translation>classe bassa</translation>
    </message>
    <message>
        <source>vowel letter</source>
        <translation>lettera vocale</translation>
    </message>
    <message>
        <source>Hear a letter, pick it</source>
        <translation>Ascolta una lettera e sceglila</translation>
    </message>
    <message>
        <source>See a letter, pick its reading</source>
        <translation>Guarda una lettera, scegli la lettura</translation>
    </message>
    <message>
        <source>See a letter, pick its class</source>
        <translation>Guarda una lettera, scegli la classe</translation>
    </message>
    <message>
        <source>Drill</source>
        <translation>Esercizio</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Domanda</translation>
    </message>
    <message>
        <source>Letter asked</source>
        <translation>Lettera chiesta</translation>
    </message>
    <message>
        <source>&amp;Play the sound again (P)</source>
        <translation>Riascolta il suono (&amp;P)</translation>
    </message>
    <message>
        <source>What to do</source>
        <translation>Che cosa fare</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Risposta</translation>
    </message>
    <message>
        <source>Stop the round (Esc)</source>
        <translation>Interrompi il giro (Esc)</translation>
    </message>
    <message>
        <source>Result of the round</source>
        <translation>Risultato del giro</translation>
    </message>
    <message>
        <source>Letters missed</source>
        <translation>Lettere sbagliate</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Indietro</translation>
    </message>
    <message>
        <source>Back to the start page</source>
        <translation>Torna alla pagina iniziale</translation>
    </message>
    <message>
        <source>Another &amp;round</source>
        <translation>Un altro &amp;giro</translation>
    </message>
    <message>
        <source>No letter sound was found in &quot;%1&quot;: the drills go on without sound, and &quot;%2&quot; shows the reading instead.</source>
        <translation>In &quot;%1&quot; non è stato trovato nessun suono delle lettere: gli esercizi continuano senza suono, e &quot;%2&quot; mostra invece la lettura.</translation>
    </message>
    <message>
        <source>%1 letter sounds are missing in &quot;%2&quot; (the first: %3): those letters are drilled without sound.</source>
        <translation>In &quot;%2&quot; mancano %1 suoni delle lettere (il primo: %3): quelle lettere si esercitano senza suono.</translation>
    </message>
    <message>
        <source>Question %1 of %2</source>
        <translation>Domanda %1 di %2</translation>
    </message>
    <message>
        <source>Which letter do you hear?</source>
        <translation>Quale lettera senti?</translation>
    </message>
    <message>
        <source>No sound: which letter reads so?</source>
        <translation>Senza suono: quale lettera si legge così?</translation>
    </message>
    <message>
        <source>How does it read?</source>
        <translation>Come si legge?</translation>
    </message>
    <message>
        <source>Which class is it?</source>
        <translation>Di quale classe è?</translation>
    </message>
    <message>
        <source>Right: </source>
        <translation>Giusto: </translation>
    </message>
    <message>
        <source>See the &amp;result (Enter)</source>
        <translation>Vedi il &amp;risultato (Invio)</translation>
    </message>
    <message>
        <source> The drill goes on without keeping its answers.</source>
        <translation> L&apos;esercizio continua senza conservare le risposte.</translation>
    </message>
    <message>
        <source>%1 of %2 right</source>
        <translation>%1 giuste su %2</translation>
    </message>
    <message>
        <source>. Missed:</source>
        <translation>. Sbagliate:</translation>
    </message>
    <message>
        <source> (you picked </source>
        <translation> (hai scelto </translation>
    </message>
    <message>
        <source>No letter missed.</source>
        <translation>Nessuna lettera sbagliata.</translation>
    </message>
    <message>
        <source>No letter missed</source>
        <translation>Nessuna lettera sbagliata</translation>
    </message>
    <message>
        <source>%1 letters missed</source>
        <translation>%1 lettere sbagliate</translation>
    </message>
    <message>
        <source>mid</source>
        <translation>medio</translation>
    </message>
    <message>
        <source>low</source>
        <translation>basso</translation>
    </message>
    <message>
        <source>falling</source>
        <translation>discendente</translation>
    </message>
    <message>
        <source>high</source>
        <translation>alto</translation>
    </message>
    <message>
        <source>rising</source>
        <translation>ascendente</translation>
    </message>
    <message>
        <source>short</source>
        <translation>breve</translation>
    </message>
    <message>
        <source>long</source>
        <translation>lunga</translation>
    </message>
    <message>
        <source>See a vowel, pick its reading</source>
        <translation>Guarda una vocale, scegli la lettura</translation>
    </message>
    <message>
        <source>Hear a vowel, pick it</source>
        <translation>Ascolta una vocale e sceglila</translation>
    </message>
    <message>
        <source>See a vowel, short or long</source>
        <translation>Guarda una vocale, breve o lunga</translation>
    </message>
    <message>
        <source>See a tone mark, pick its name</source>
        <translation>Guarda un segno di tono, scegli il nome</translation>
    </message>
    <message>
        <source>See a syllable, pick its tone</source>
        <translation>Guarda una sillaba, scegli il tono</translation>
    </message>
    <message>
        <source>See a final, pick its sound</source>
        <translation>Guarda una finale, scegli il suono</translation>
    </message>
    <message>
        <source>Letters that look alike</source>
        <translation>Lettere che si somigliano</translation>
    </message>
    <message>
        <source>read so by custom</source>
        <translation>letta così per consuetudine</translation>
    </message>
    <message>
        <source>live</source>
        <translation>viva</translation>
    </message>
    <message>
        <source>dead, short</source>
        <translation>morta, breve</translation>
    </message>
    <message>
        <source>dead, long</source>
        <translation>morta, lunga</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has nothing to ask yet.</source>
        <translation>&quot;%1&quot; non ha ancora niente da chiedere.</translation>
    </message>
    <message>
        <source>No vowel sound was found in &quot;%1&quot;: &quot;%2&quot; shows the vowel&apos;s reading instead.</source>
        <translation>In &quot;%1&quot; non è stato trovato nessun suono delle vocali: &quot;%2&quot; mostra invece la lettura della vocale.</translation>
    </message>
    <message>
        <source>%1 vowel sounds are missing in &quot;%2&quot; (the first: %3): those vowels are drilled without sound.</source>
        <translation>In &quot;%2&quot; mancano %1 suoni delle vocali (il primo: %3): quelle vocali si esercitano senza suono.</translation>
    </message>
    <message>
        <source>How does this vowel read?</source>
        <translation>Come si legge questa vocale?</translation>
    </message>
    <message>
        <source>Is this vowel short or long?</source>
        <translation>Questa vocale è breve o lunga?</translation>
    </message>
    <message>
        <source>%1: the vowel form asked</source>
        <translation>%1: la forma vocalica chiesta</translation>
    </message>
    <message>
        <source>%1: the vowel form %2</source>
        <translation>%1: la forma vocalica %2</translation>
    </message>
    <message>
        <source>The vowel you hear</source>
        <translation>La vocale che senti</translation>
    </message>
    <message>
        <source>Which vowel do you hear?</source>
        <translation>Quale vocale senti?</translation>
    </message>
    <message>
        <source>No sound: which vowel reads so?</source>
        <translation>Senza suono: quale vocale si legge così?</translation>
    </message>
    <message>
        <source>No sound: which letter is named so?</source>
        <translation>Senza suono: quale lettera si chiama così?</translation>
    </message>
    <message>
        <source>Which tone mark is it?</source>
        <translation>Quale segno di tono è?</translation>
    </message>
    <message>
        <source>%1: the mark on อ</source>
        <translation>%1: il segno su อ</translation>
    </message>
    <message>
        <source>%1: %2 on อ</source>
        <translation>%1: %2 su อ</translation>
    </message>
    <message>
        <source>Which tone does it have?</source>
        <translation>Che tono ha?</translation>
    </message>
    <message>
        <source>%1: a syllable</source>
        <translation>%1: una sillaba</translation>
    </message>
    <message>
        <source>%1: a syllable, %2 tone</source>
        <translation>%1: una sillaba, tono %2</translation>
    </message>
    <message>
        <source>Which sound does it give at the end of a syllable?</source>
        <translation>Che suono ha alla fine di una sillaba?</translation>
    </message>
    <message>
        <source>%1: a final</source>
        <translation>%1: una finale</translation>
    </message>
    <message>
        <source>%1: a final, read %2</source>
        <translation>%1: una finale, letta %2</translation>
    </message>
    <message>
        <source>%1 as a final: %2</source>
        <translation>%1 come finale: %2</translation>
    </message>
    <message>
        <source>No: it is </source>
        <translation>No: è </translation>
    </message>
    <message>
        <source>Questions missed</source>
        <translation>Domande sbagliate</translation>
    </message>
    <message>
        <source>Nothing missed.</source>
        <translation>Nessuna domanda sbagliata.</translation>
    </message>
    <message>
        <source>Nothing missed</source>
        <translation>Nessuna domanda sbagliata</translation>
    </message>
    <message>
        <source>%1 questions missed</source>
        <translation>%1 domande sbagliate</translation>
    </message>
</context>
<context>
    <name>ripasso::ExportText</name>
    <message>
        <source>%1 cannot be reached: %2</source>
        <translation>%1 non è raggiungibile: %2</translation>
    </message>
    <message>
        <source>%1 is a symbolic link, and the export replaces no link: give the file it leads to, or another name</source>
        <translation>%1 è un collegamento simbolico, e l&apos;esportazione non sostituisce collegamenti: indica il file a cui porta, o un altro nome</translation>
    </message>
    <message>
        <source>%1 is a symbolic link to %2, and the export replaces no link: give the file it leads to, or another name</source>
        <translation>%1 è un collegamento simbolico a %2, e l&apos;esportazione non sostituisce collegamenti: indica il file a cui porta, o un altro nome</translation>
    </message>
    <message>
        <source>%1 is a folder: give the name of a file in it</source>
        <translation>%1 è una cartella: indica il nome di un file al suo interno</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file (a device, a pipe or a socket), and the export replaces only a file</source>
        <translation>%1 non è un file ordinario (un dispositivo, una pipe o un socket), e l&apos;esportazione sostituisce solo un file</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Non è stato possibile leggere %1: %2</translation>
    </message>
    <message>
        <source>1 record could not be read in %1 (on line %2) and was left out.</source>
        <translation>Non è stato possibile leggere 1 record in %1 (alla riga %2), che è stato tralasciato.</translation>
    </message>
    <message>
        <source>%1 records could not be read in %2 (the first on line %3) and were left out.</source>
        <translation>Non è stato possibile leggere %1 record in %2 (il primo alla riga %3), che sono stati tralasciati.</translation>
    </message>
    <message>
        <source>This folder holds none of the files LEXFWD_A.DAT to LEXFWD_Z.DAT.</source>
        <translation>Questa cartella non contiene nessuno dei file da LEXFWD_A.DAT a LEXFWD_Z.DAT.</translation>
    </message>
    <message>
        <source>%1 cannot be written in: %2</source>
        <translation>Non si può scrivere in %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Non si può scrivere %1: %2</translation>
    </message>
    <message>
        <source>%1; %2 is as it was</source>
        <translation>%1; %2 è rimasto com&apos;era</translation>
    </message>
</context>
<context>
    <name>ripasso::HistoryText</name>
    <message>
        <source>%1 already had review answers of its own, so both histories were kept: the new word keeps its own, and those of %2 stay under the old word, unused.</source>
        <translation>%1 aveva già risposte di ripasso sue, quindi sono state tenute entrambe le storie: la nuova parola tiene le sue, e quelle di %2 restano sotto la vecchia parola, inutilizzate.</translation>
    </message>
    <message>
        <source>Ripasso stopped after changing %1 to %2 in the data files and before its review answers followed it; they follow it now.</source>
        <translation>Ripasso si è fermato dopo aver cambiato %1 in %2 nei file di dati e prima che le sue risposte di ripasso la seguissero; ora la seguono.</translation>
    </message>
    <message>
        <source>Ripasso stopped after changing %1 to %2 in the data files and before its review answers followed it. </source>
        <translation>Ripasso si è fermato dopo aver cambiato %1 in %2 nei file di dati e prima che le sue risposte di ripasso la seguissero. </translation>
    </message>
    <message>
        <source>Ripasso stopped while changing %1 to %2, and not every data file can be read now: the review answers stay with %1 until Ripasso can tell whether the change was made.</source>
        <translation>Ripasso si è fermato mentre cambiava %1 in %2, e ora non tutti i file di dati si possono leggere: le risposte di ripasso restano con %1 finché Ripasso non potrà capire se la modifica è stata fatta.</translation>
    </message>
    <message>
        <source>Ripasso stopped before changing %1 to %2: the data files still hold %1, and its review answers stay with it.</source>
        <translation>Ripasso si è fermato prima di cambiare %1 in %2: i file di dati contengono ancora %1, e le sue risposte di ripasso restano con essa.</translation>
    </message>
    <message>
        <source>Ripasso stopped while changing %1 to %2, and the data files now hold both words: the review answers stay with %1.</source>
        <translation>Ripasso si è fermato mentre cambiava %1 in %2, e ora i file di dati contengono entrambe le parole: le risposte di ripasso restano con %1.</translation>
    </message>
    <message>
        <source>Ripasso stopped while changing %1 to %2, and the data files now hold neither word: the review answers stay under %1, unused.</source>
        <translation>Ripasso si è fermato mentre cambiava %1 in %2, e ora i file di dati non contengono nessuna delle due parole: le risposte di ripasso restano sotto %1, inutilizzate.</translation>
    </message>
</context>
<context>
    <name>ripasso::ImportText</name>
    <message>
        <source>%1 is not UTF-8 text: line %2 holds the byte 0x%3, which UTF-8 does not have there (&quot;%4&quot; in Latin-1); save it as UTF-8 and import it again. Nothing was imported.</source>
        <translation>%1 non è testo UTF-8: la riga %2 contiene il byte 0x%3, che in UTF-8 non può stare lì (&quot;%4&quot; in Latin-1); salvalo in UTF-8 e importalo di nuovo. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. Nothing was imported.</source>
        <translation>Non si può leggere %1: %2. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 is saved as UTF-16 (or UTF-32), not as UTF-8: save it as UTF-8 and import it again. Nothing was imported.</source>
        <translation>%1 è salvato in UTF-16 (o UTF-32), non in UTF-8: salvalo in UTF-8 e importalo di nuovo. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 is not a text file: line %2 holds a zero byte. Nothing was imported.</source>
        <translation>%1 non è un file di testo: la riga %2 contiene un byte zero. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2. Nothing was imported.</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>the row has %1 fields where the header names %2</source>
        <translation>la riga ha %1 campi, mentre l&apos;intestazione ne nomina %2</translation>
    </message>
    <message>
        <source>the row is longer than 1 MiB and was not read</source>
        <translation>la riga è più lunga di 1 MiB e non è stata letta</translation>
    </message>
    <message>
        <source>a field opened with a double quote is never closed</source>
        <translation>un campo aperto con le virgolette non viene mai chiuso</translation>
    </message>
    <message>
        <source>%1 holds no header line naming its columns. Nothing was imported.</source>
        <translation>%1 non ha una riga di intestazione che nomini le sue colonne. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1: the column &quot;%2&quot; is not read.</source>
        <translation>%1: la colonna &quot;%2&quot; non viene letta.</translation>
    </message>
    <message>
        <source>%1 has no column %2 (its header holds: %3). Nothing was imported.</source>
        <translation>%1 non ha la colonna %2 (la sua intestazione contiene: %3). Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 could not be read to its end: %2</source>
        <translation>Non è stato possibile leggere %1 fino in fondo: %2</translation>
    </message>
    <message>
        <source>%1: the separator &quot;%2&quot; is not one the import reads. Nothing was imported.</source>
        <translation>%1: il separatore &quot;%2&quot; non è tra quelli che l&apos;importazione legge. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 has neither the columns Italiano and Pronuncia nor Front and Back (its columns: %2). Nothing was imported.</source>
        <translation>%1 non ha né le colonne Italiano e Pronuncia né Front e Back (le sue colonne: %2). Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 names neither its columns (#columns:) nor a note type the import knows (#notetype: &quot;%2&quot;). Nothing was imported.</source>
        <translation>%1 non nomina né le sue colonne (#columns:) né un tipo di nota che l&apos;importazione conosca (#notetype: &quot;%2&quot;). Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>a note of the note type &quot;%1&quot;, which the import does not read</source>
        <translation>una nota del tipo &quot;%1&quot;, che l&apos;importazione non legge</translation>
    </message>
    <message>
        <source>%1 cannot be read as an Anki package: %2</source>
        <translation>%1 non si può leggere come pacchetto di Anki: %2</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file. Nothing was imported.</source>
        <translation>%1 è una cartella, non un file. Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file (a pipe, a device or a socket). Nothing was imported.</source>
        <translation>%1 non è un file ordinario (una pipe, un dispositivo o un socket). Non è stato importato nulla.</translation>
    </message>
    <message>
        <source>%1: read as an Anki package.</source>
        <translation>%1: letto come pacchetto di Anki.</translation>
    </message>
    <message>
        <source>%1: read as Anki&apos;s text export.</source>
        <translation>%1: letto come esportazione di testo di Anki.</translation>
    </message>
    <message>
        <source>%1 added, %2 already there, %3 refused</source>
        <translation>aggiunte: %1, già presenti: %2, rifiutate: %3</translation>
    </message>
    <message numerus="yes">
        <source> The %n entries added before it are stored; the rows after them were not imported: import the file again once this is mended (what is there already is skipped).</source>
        <translation>
            <numerusform> La %n voce aggiunta prima resta salvata; le righe successive non sono state importate: importa di nuovo il file quando il problema è risolto (ciò che c&apos;è già viene saltato).</numerusform>
            <numerusform> Le %n voci aggiunte prima restano salvate; le righe successive non sono state importate: importa di nuovo il file quando il problema è risolto (ciò che c&apos;è già viene saltato).</numerusform>
        </translation>
    </message>
    <message>
        <source>The recording %1 was not copied into the folder: %2.</source>
        <translation>La registrazione %1 non è stata copiata nella cartella: %2.</translation>
    </message>
    <message>
        <source>it is not a WAVE file</source>
        <translation>non è un file WAVE</translation>
    </message>
    <message numerus="yes">
        <source>%n recording(s) of the package copied into the folder.</source>
        <translation>
            <numerusform>%n registrazione del pacchetto copiata nella cartella.</numerusform>
            <numerusform>%n registrazioni del pacchetto copiate nella cartella.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ripasso::ListText</name>
    <message>
        <source>%1 could not be read: %2.</source>
        <translation>Non è stato possibile leggere %1: %2.</translation>
    </message>
    <message>
        <source>%1 holds a record longer than 4 MiB on line %2; the records before it are listed.</source>
        <translation>%1 contiene un record più lungo di 4 MiB alla riga %2; sono elencati i record che lo precedono.</translation>
    </message>
    <message>
        <source>%1 ends in the middle of a record on line %2; the records before it are listed.</source>
        <translation>%1 finisce a metà di un record alla riga %2; sono elencati i record che lo precedono.</translation>
    </message>
</context>
<context>
    <name>ripasso::MainText</name>
    <message>
        <source>ripasso: %1 The folder C:\THAI\ is exported.
</source>
        <translation>ripasso: %1 Viene esportata la cartella C:\THAI\.
</translation>
    </message>
    <message>
        <source>ripasso: the export was not written: %1
</source>
        <translation>ripasso: l&apos;esportazione non è stata scritta: %1
</translation>
    </message>
    <message numerus="yes">
        <source>ripasso: %n note(s) from %1 written to %2
</source>
        <translation>
            <numerusform>ripasso: %n nota da %1 scritta in %2
</numerusform>
            <numerusform>ripasso: %n note da %1 scritte in %2
</numerusform>
        </translation>
    </message>
    <message>
        <source>Usage: ripasso                       the practice window
       ripasso --export-anki FILE.txt [--folder DIR] [--deck NAME]
                                     writes the words of DIR&apos;s forward data files to
                                     FILE.txt for Anki&apos;s import (DIR: the folder last
                                     chosen in Ripasso, else C:\THAI\)
       ripasso --export-apkg FILE.apkg [--folder DIR] [--deck NAME] [--with-speech]
                             [--with-progress]
                                     writes the same words as an Anki package with
                                     their recordings; --with-speech adds the synthetic
                                     voice for the words without a Thai recording,
                                     --with-progress the due dates of your answered cards
       ripasso --help | --version
Ripasso, the practice of the Thai kit: drills of the Thai letters and a daily review
of your words. The window needs a graphical session; the export does not.
See also: man ripasso.
</source>
        <translation>Uso: ripasso                         la finestra degli esercizi
     ripasso --export-anki FILE.txt [--folder DIR] [--deck NOME]
                                     scrive le parole dei file di dati italiano-thai
                                     di DIR in FILE.txt, da importare in Anki (DIR:
                                     l&apos;ultima cartella scelta in Ripasso, altrimenti
                                     C:\THAI\)
     ripasso --export-apkg FILE.apkg [--folder DIR] [--deck NOME] [--with-speech]
                           [--with-progress]
                                     scrive le stesse parole come pacchetto di Anki,
                                     con le loro registrazioni; --with-speech aggiunge
                                     la voce sintetica per le parole senza una
                                     registrazione thai, --with-progress le scadenze
                                     delle carte a cui hai risposto
     ripasso --help | --version
Ripasso, gli esercizi del Thai kit: allenamenti sulle lettere thai e un ripasso
quotidiano delle tue parole. La finestra richiede una sessione grafica,
l&apos;esportazione no.
Vedi anche: man ripasso.
</translation>
    </message>
</context>
<context>
    <name>ripasso::MainWindow</name>
    <message>
        <source>Folder of your words</source>
        <translation>Cartella delle tue parole</translation>
    </message>
    <message>
        <source>Cards for today</source>
        <translation>Schede di oggi</translation>
    </message>
    <message>
        <source>Last review</source>
        <translation>Ultimo ripasso</translation>
    </message>
    <message>
        <source>What could not be read</source>
        <translation>Ciò che non è stato possibile leggere</translation>
    </message>
    <message>
        <source>1 answer saved.</source>
        <translation>1 risposta salvata.</translation>
    </message>
    <message>
        <source>%1 answers saved.</source>
        <translation>%1 risposte salvate.</translation>
    </message>
    <message>
        <source>What Ripasso does</source>
        <translation>Che cosa fa Ripasso</translation>
    </message>
    <message>
        <source>Practice the Thai letters and your own words</source>
        <translation>Esercitati con le lettere thai e con le tue parole</translation>
    </message>
    <message>
        <source>Letters: rounds of 20 questions</source>
        <translation>Lettere: giri di 20 domande</translation>
    </message>
    <message>
        <source>&amp;Hear a letter, pick it</source>
        <translation>&amp;Ascolta una lettera e sceglila</translation>
    </message>
    <message>
        <source>See a letter, pick its r&amp;eading</source>
        <translation>Guarda una lettera, scegli la &amp;lettura</translation>
    </message>
    <message>
        <source>See a letter, pick its &amp;class</source>
        <translation>Guarda una lettera, scegli la &amp;classe</translation>
    </message>
    <message>
        <source>Your words</source>
        <translation>Le tue parole</translation>
    </message>
    <message>
        <source>&amp;Review your words</source>
        <translation>&amp;Ripassa le tue parole</translation>
    </message>
    <message>
        <source>Choose another folder of words</source>
        <translation>Scegli un&apos;altra cartella di parole</translation>
    </message>
    <message>
        <source>Your &amp;words: search, change, add…</source>
        <translation>Le tue &amp;parole: cerca, cambia, aggiungi…</translation>
    </message>
    <message>
        <source>Your words: search, change, add</source>
        <translation>Le tue parole: cerca, cambia, aggiungi</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Export for Anki…</source>
        <translation>&amp;Esporta per Anki…</translation>
    </message>
    <message>
        <source>Choose the words&apos; &amp;folder…</source>
        <translation>Scegli la c&amp;artella delle parole…</translation>
    </message>
    <message>
        <source>Your &amp;words…</source>
        <translation>Le tue &amp;parole…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Es&amp;ci</translation>
    </message>
    <message>
        <source>Folder of the data files (*.DAT) with your words</source>
        <translation>Cartella dei file di dati (*.DAT) con le tue parole</translation>
    </message>
    <message>
        <source>Ripasso: your words</source>
        <translation>Ripasso: le tue parole</translation>
    </message>
    <message>
        <source> Your words cannot be reviewed now.</source>
        <translation> Ora non puoi ripassare le tue parole.</translation>
    </message>
    <message>
        <source>Words from %1</source>
        <translation>Parole da %1</translation>
    </message>
    <message>
        <source>Your progress could not be read.</source>
        <translation>Non è stato possibile leggere i tuoi progressi.</translation>
    </message>
    <message>
        <source>No word with a pronunciation was found here.</source>
        <translation>Qui non è stata trovata nessuna parola con una pronuncia.</translation>
    </message>
    <message>
        <source>Nothing more to review today (%1 cards, %2 never answered).</source>
        <translation>Per oggi non c&apos;è altro da ripassare (%1 schede, %2 mai risposte).</translation>
    </message>
    <message>
        <source>For today: %1 cards due and %2 new (%3 cards, %4 never answered).</source>
        <translation>Per oggi: %1 schede da ripassare e %2 nuove (%3 schede, %4 mai risposte).</translation>
    </message>
    <message>
        <source>Folder of the letter sounds (*.wav)</source>
        <translation>Cartella dei suoni delle lettere (*.wav)</translation>
    </message>
    <message>
        <source>Ripasso: letter sounds</source>
        <translation>Ripasso: suoni delle lettere</translation>
    </message>
    <message>
        <source>File to write your words to, for Anki (File, Import)</source>
        <translation>File in cui scrivere le tue parole, per Anki (File, Importa)</translation>
    </message>
    <message>
        <source>Ripasso: export for Anki</source>
        <translation>Ripasso: esportazione per Anki</translation>
    </message>
    <message>
        <source>The export was not written: %1.</source>
        <translation>L&apos;esportazione non è stata scritta: %1.</translation>
    </message>
    <message>
        <source>%1 notes were written to &quot;%2&quot;. In Anki, File, Import takes them into the deck &quot;%3&quot;.</source>
        <translation>%1 note sono state scritte in &quot;%2&quot;. In Anki, File, Importa le porta nel mazzo &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The script</source>
        <translation>La scrittura</translation>
    </message>
    <message>
        <source>See a &amp;vowel, pick its reading</source>
        <translation>Guarda una &amp;vocale, scegli la lettura</translation>
    </message>
    <message>
        <source>Hear a v&amp;owel, pick it</source>
        <translation>Ascolta una v&amp;ocale e sceglila</translation>
    </message>
    <message>
        <source>See a vowel, &amp;short or long</source>
        <translation>Guarda una vocale, &amp;breve o lunga</translation>
    </message>
    <message>
        <source>See a tone &amp;mark, pick its name</source>
        <translation>Guarda un &amp;segno di tono, scegli il nome</translation>
    </message>
    <message>
        <source>See a syllable, pick its to&amp;ne</source>
        <translation>Guarda una sillaba, scegli il to&amp;no</translation>
    </message>
    <message>
        <source>See a final, pick its so&amp;und</source>
        <translation>Guarda una finale, scegli il s&amp;uono</translation>
    </message>
    <message>
        <source>Letters that loo&amp;k alike</source>
        <translation>Lettere che si so&amp;migliano</translation>
    </message>
    <message>
        <source>T&amp;ype the answers</source>
        <translation>&amp;Digita le risposte</translation>
    </message>
    <message>
        <source>Type each answer before it is shown</source>
        <translation>Digita ogni risposta prima che sia mostrata</translation>
    </message>
    <message>
        <source>Say the &amp;Thai words</source>
        <translation>Pronunc&amp;ia le parole thai</translation>
    </message>
    <message>
        <source>Each card&apos;s Thai word is said as it shows: your recording, else the voice</source>
        <translation>La parola thai di ogni scheda viene pronunciata quando appare: la tua registrazione, altrimenti la voce</translation>
    </message>
    <message>
        <source>Choose another fol&amp;der…</source>
        <translation>Scegli un&apos;altra car&amp;tella…</translation>
    </message>
    <message>
        <source>&amp;Import words…</source>
        <translation>&amp;Importa parole…</translation>
    </message>
    <message>
        <source>Export &amp;deck for Anki…</source>
        <translation>Esporta il &amp;mazzo per Anki…</translation>
    </message>
    <message>
        <source>File of words to add (CSV or TSV with a header line, Anki&apos;s text export or an Anki package)</source>
        <translation>File delle parole da aggiungere (CSV o TSV con una riga di intestazione, esportazione di testo di Anki o pacchetto di Anki)</translation>
    </message>
    <message>
        <source>Ripasso: import words</source>
        <translation>Ripasso: importa parole</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Riga %1: %2</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… e altre %1</translation>
    </message>
    <message>
        <source>File to write your words to as an Anki deck (.apkg, File, Import in Anki)</source>
        <translation>File in cui scrivere le tue parole come mazzo di Anki (.apkg, File, Importa in Anki)</translation>
    </message>
    <message>
        <source>Ripasso: export deck for Anki</source>
        <translation>Ripasso: esporta il mazzo per Anki</translation>
    </message>
    <message>
        <source>Put the synthetic voice on the words without a recording?</source>
        <translation>Aggiungere la voce sintetica alle parole senza registrazione?</translation>
    </message>
    <message>
        <source>The deck was not written: %1.</source>
        <translation>Il mazzo non è stato scritto: %1.</translation>
    </message>
    <message>
        <source>%1 notes and %2 sound files were written to &quot;%3&quot;. In Anki, File, Import takes them into the deck &quot;%4&quot;.</source>
        <translation>%1 note e %2 file audio sono stati scritti in &quot;%3&quot;. In Anki, File, Importa li porta nel mazzo &quot;%4&quot;.</translation>
    </message>
</context>
<context>
    <name>ripasso::PackageText</name>
    <message>
        <source>The recording &quot;%1&quot; of %2 is not a plain file name: it was left out.</source>
        <translation>La registrazione &quot;%1&quot; di %2 non è un semplice nome di file: è stata tralasciata.</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>il file non esiste</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>non si può leggere</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>non è un file ordinario</translation>
    </message>
    <message>
        <source>it is larger than 16 MiB</source>
        <translation>è più grande di 16 MiB</translation>
    </message>
    <message>
        <source>it is not a WAVE file</source>
        <translation>non è un file WAVE</translation>
    </message>
    <message>
        <source>The recording %1 of %2 was left out: %3.</source>
        <translation>La registrazione %1 di %2 è stata tralasciata: %3.</translation>
    </message>
    <message>
        <source>%1 does not read whole: the voice does not say it.</source>
        <translation>%1 non si legge per intero: la voce non la pronuncia.</translation>
    </message>
    <message>
        <source>The voice could not say %1.</source>
        <translation>La voce non è riuscita a pronunciare %1.</translation>
    </message>
    <message>
        <source>%1 cannot be made: %2</source>
        <translation>Non si può creare %1: %2</translation>
    </message>
    <message>
        <source>%1 is damaged: %2</source>
        <translation>%1 è danneggiato: %2</translation>
    </message>
    <message>
        <source>The collection of %1 is larger than 1 GiB: it is not read.</source>
        <translation>La collezione di %1 è più grande di 1 GiB: non viene letta.</translation>
    </message>
    <message>
        <source>The synthetic voice (eSpeak NG with its Thai voice) is not installed: the package is not written without the words it would say. Install it, or export without the voice.</source>
        <translation>La voce sintetica (eSpeak NG con la sua voce thai) non è installata: il pacchetto non viene scritto senza le parole che pronuncerebbe. Installala, oppure esporta senza la voce.</translation>
    </message>
    <message>
        <source>%1 is not an Anki package: it is no zip file.</source>
        <translation>%1 non è un pacchetto di Anki: non è un file zip.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Non si può leggere %1: %2</translation>
    </message>
    <message>
        <source>%1 holds only the collection format of recent Anki versions, which is not read here: export the deck again from Anki with &quot;Support older Anki versions&quot; ticked.</source>
        <translation>%1 contiene solo il formato di collezione delle versioni recenti di Anki, che qui non viene letto: esporta di nuovo il mazzo da Anki con &quot;Supporta le versioni precedenti di Anki&quot; spuntato.</translation>
    </message>
    <message>
        <source>%1 is not an Anki package: it holds no collection.</source>
        <translation>%1 non è un pacchetto di Anki: non contiene una collezione.</translation>
    </message>
    <message>
        <source>The collection of %1 cannot be read: %2</source>
        <translation>Non si può leggere la collezione di %1: %2</translation>
    </message>
    <message>
        <source>The collection of %1 is damaged: %2</source>
        <translation>La collezione di %1 è danneggiata: %2</translation>
    </message>
    <message>
        <source>the package does not hold it</source>
        <translation>il pacchetto non la contiene</translation>
    </message>
</context>
<context>
    <name>ripasso::ReadingText</name>
    <message>
        <source>%1 and %2</source>
        <translation>%1 e %2</translation>
    </message>
    <message>
        <source>1 record could not be read in %1 (the first on line %2) and was left out.</source>
        <translation>Non è stato possibile leggere 1 record in %1 (alla riga %2), ed è stato tralasciato.</translation>
    </message>
    <message>
        <source>%1 records could not be read in %2 (the first on line %3) and were left out.</source>
        <translation>Non è stato possibile leggere %1 record in %2 (il primo alla riga %3), e sono stati tralasciati.</translation>
    </message>
    <message>
        <source>This folder holds none of the files LEXFWD_A.DAT to LEXFWD_Z.DAT.</source>
        <translation>Questa cartella non contiene nessuno dei file da LEXFWD_A.DAT a LEXFWD_Z.DAT.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2.</source>
        <translation>Non è stato possibile leggere %1: %2.</translation>
    </message>
</context>
<context>
    <name>ripasso::ReviewPage</name>
    <message>
        <source>Attribute and note</source>
        <translation>Attributo e nota</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 giorno</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 giorni</translation>
    </message>
    <message>
        <source>Review</source>
        <translation>Ripasso</translation>
    </message>
    <message>
        <source>Your words</source>
        <translation>Le tue parole</translation>
    </message>
    <message>
        <source>Cards left</source>
        <translation>Schede rimaste</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Scheda</translation>
    </message>
    <message>
        <source>Direction of the card</source>
        <translation>Direzione della scheda</translation>
    </message>
    <message>
        <source>Front of the card</source>
        <translation>Fronte della scheda</translation>
    </message>
    <message>
        <source>Thai script on the front</source>
        <translation>Scrittura thai sul fronte</translation>
    </message>
    <message>
        <source>Back of the card</source>
        <translation>Retro della scheda</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Risposta</translation>
    </message>
    <message>
        <source>Thai script</source>
        <translation>Scrittura thai</translation>
    </message>
    <message>
        <source>&amp;Show the answer (Space)</source>
        <translation>&amp;Mostra la risposta (Spazio)</translation>
    </message>
    <message>
        <source>Stop for now (Esc)</source>
        <translation>Basta per ora (Esc)</translation>
    </message>
    <message>
        <source>Italiano → Thai</source>
        <translation>Italiano → Thai</translation>
    </message>
    <message>
        <source>Thai → Italiano</source>
        <translation>Thai → Italiano</translation>
    </message>
    <message>
        <source>this session</source>
        <translation>in questa sessione</translation>
    </message>
    <message>
        <source>, again in this session</source>
        <translation>, di nuovo in questa sessione</translation>
    </message>
    <message>
        <source>, again in </source>
        <translation>, di nuovo tra </translation>
    </message>
    <message>
        <source>1 card left</source>
        <translation>1 scheda rimasta</translation>
    </message>
    <message>
        <source>%1 cards left</source>
        <translation>%1 schede rimaste</translation>
    </message>
    <message>
        <source> This answer was not saved, and the review stops here.</source>
        <translation> Questa risposta non è stata salvata, e il ripasso si ferma qui.</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Di nuovo</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Bene</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>right</source>
        <translation>giusto</translation>
    </message>
    <message>
        <source>only the letter case differs</source>
        <translation>cambiano solo maiuscole e minuscole</translation>
    </message>
    <message>
        <source>an accent differs</source>
        <translation>un accento è diverso</translation>
    </message>
    <message>
        <source>%1 accents differ</source>
        <translation>%1 accenti sono diversi</translation>
    </message>
    <message>
        <source>a vowel&apos;s length differs</source>
        <translation>la durata di una vocale è diversa</translation>
    </message>
    <message>
        <source>one letter too many</source>
        <translation>c&apos;è una lettera di troppo</translation>
    </message>
    <message>
        <source>one letter is missing</source>
        <translation>manca una lettera</translation>
    </message>
    <message>
        <source>one letter differs</source>
        <translation>una lettera è diversa</translation>
    </message>
    <message>
        <source>two letters are swapped</source>
        <translation>due lettere sono scambiate</translation>
    </message>
    <message>
        <source>it differs</source>
        <translation>non corrisponde</translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation>La tua risposta</translation>
    </message>
    <message>
        <source>Your answer against the answer</source>
        <translation>La tua risposta a confronto con quella giusta</translation>
    </message>
    <message>
        <source>How near your answer is</source>
        <translation>Quanto è vicina la tua risposta</translation>
    </message>
    <message>
        <source>&amp;Show the answer (Enter)</source>
        <translation>&amp;Mostra la risposta (Invio)</translation>
    </message>
    <message>
        <source>type the pronunciation</source>
        <translation>digita la pronuncia</translation>
    </message>
    <message>
        <source>type the Italian word</source>
        <translation>digita la parola italiana</translation>
    </message>
    <message>
        <source>The pronunciation</source>
        <translation>La pronuncia</translation>
    </message>
    <message>
        <source>The Italian word</source>
        <translation>La parola italiana</translation>
    </message>
    <message>
        <source>You typed nothing; the answer is %1.</source>
        <translation>Non hai scritto nulla; la risposta è %1.</translation>
    </message>
    <message>
        <source>You typed %1; the answer is %2: %3.</source>
        <translation>Hai scritto %1; la risposta è %2: %3.</translation>
    </message>
    <message>
        <source>It is the answer of another card of this front.</source>
        <translation>È la risposta di un&apos;altra scheda con lo stesso fronte.</translation>
    </message>
    <message>
        <source>Proposed: %1.</source>
        <translation>Suggerimento: %1.</translation>
    </message>
    <message>
        <source>What could not be said</source>
        <translation>Ciò che non è stato possibile pronunciare</translation>
    </message>
    <message>
        <source>Say again (S)</source>
        <translation>Ripeti (S)</translation>
    </message>
    <message>
        <source>Say the Thai word again (S)</source>
        <translation>Ripeti la parola thai (S)</translation>
    </message>
</context>
<context>
    <name>ripasso::StoreText</name>
    <message>
        <source>The progress file %1 is locked by another program. Nothing was changed in it; try again when that program has finished with it.</source>
        <translation>Il file dei progressi %1 è bloccato da un altro programma. Non vi è stato cambiato nulla; riprova quando quel programma avrà finito di usarlo.</translation>
    </message>
    <message>
        <source>The progress file %1 cannot be written: it, or its folder, is read-only. It was left as it is.</source>
        <translation>Non si può scrivere nel file dei progressi %1: il file, o la sua cartella, è di sola lettura. È stato lasciato com&apos;è.</translation>
    </message>
    <message>
        <source>The progress file %1 is damaged (%2). It was left as it is: move it away and Ripasso starts a new one, or restore it from a copy.</source>
        <translation>Il file dei progressi %1 è danneggiato (%2). È stato lasciato com&apos;è: spostalo altrove e Ripasso ne comincerà uno nuovo, oppure ripristinalo da una copia.</translation>
    </message>
    <message>
        <source>The progress file %1 cannot be written: the disk is full.</source>
        <translation>Non si può scrivere nel file dei progressi %1: il disco è pieno.</translation>
    </message>
    <message>
        <source>The progress file %1 cannot be used: %2.</source>
        <translation>Non si può usare il file dei progressi %1: %2.</translation>
    </message>
    <message>
        <source>The progress file %1 is a link; Ripasso follows none. It was left as it is.</source>
        <translation>Il file dei progressi %1 è un collegamento, e Ripasso non ne segue nessuno. È stato lasciato com&apos;è.</translation>
    </message>
    <message>
        <source>The progress file %1 is not a regular file.</source>
        <translation>Il file dei progressi %1 non è un file normale.</translation>
    </message>
    <message>
        <source>The progress file %1 is in use by another copy of Ripasso. Close that one first: this one ends without touching it.</source>
        <translation>Il file dei progressi %1 è in uso da parte di un&apos;altra copia di Ripasso. Chiudi prima quella: questa si chiude senza toccarlo.</translation>
    </message>
    <message>
        <source>The file %1 is not Ripasso&apos;s progress: it belongs to another program and was left as it is. Move it away and Ripasso starts a new one.</source>
        <translation>Il file %1 non contiene i progressi di Ripasso: appartiene a un altro programma ed è stato lasciato com&apos;è. Spostalo altrove e Ripasso ne comincerà uno nuovo.</translation>
    </message>
    <message>
        <source>The progress file %1 was written by a newer Ripasso (version %2; this one knows version %3). It was left as it is: use the newer Ripasso.</source>
        <translation>Il file dei progressi %1 è stato scritto da un Ripasso più recente (versione %2; questo conosce la versione %3). È stato lasciato com&apos;è: usa il Ripasso più recente.</translation>
    </message>
    <message>
        <source>The progress file %1 holds no progress yet.</source>
        <translation>Il file dei progressi %1 non contiene ancora progressi.</translation>
    </message>
    <message>
        <source>The progress file %1 cannot use write-ahead logging.</source>
        <translation>Il file dei progressi %1 non può usare il write-ahead logging.</translation>
    </message>
</context>
<context>
    <name>ripasso::WordsModel</name>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Pronunciation</source>
        <translation>Pronuncia</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>Thai</translation>
    </message>
    <message>
        <source>Attribute</source>
        <translation>Attributo</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>, pronunciation </source>
        <translation>, pronuncia </translation>
    </message>
    <message>
        <source>, Thai </source>
        <translation>, thai </translation>
    </message>
    <message>
        <source>, attribute </source>
        <translation>, attributo </translation>
    </message>
    <message>
        <source>, note </source>
        <translation>, nota </translation>
    </message>
</context>
<context>
    <name>ripasso::WordsPage</name>
    <message>
        <source>Your words</source>
        <translation>Le tue parole</translation>
    </message>
    <message>
        <source>How many words are listed</source>
        <translation>Quante parole sono elencate</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Cerca:</translation>
    </message>
    <message>
        <source>Search your words</source>
        <translation>Cerca tra le tue parole</translation>
    </message>
    <message>
        <source>Any column that contains the text, accents and letter case aside. Down goes to the list.</source>
        <translation>Qualsiasi colonna che contiene il testo, senza badare ad accenti e maiuscole. La freccia giù porta all&apos;elenco.</translation>
    </message>
    <message>
        <source>Enter or F2 changes the word, Delete removes it, Insert adds one, Control 1 to 5 sort by a column.</source>
        <translation>Invio o F2 cambia la parola, Canc la elimina, Ins ne aggiunge una, Ctrl da 1 a 5 ordina per una colonna.</translation>
    </message>
    <message>
        <source>Order of the list</source>
        <translation>Ordine dell&apos;elenco</translation>
    </message>
    <message>
        <source>Keys of the list</source>
        <translation>Tasti dell&apos;elenco</translation>
    </message>
    <message>
        <source>Enter or F2: change · Delete: remove · Insert: add · Ctrl+1 to Ctrl+5: sort by a column, Ctrl+0: the files&apos; order</source>
        <translation>Invio o F2: cambia · Canc: elimina · Ins: aggiungi · da Ctrl+1 a Ctrl+5: ordina per una colonna, Ctrl+0: l&apos;ordine dei file</translation>
    </message>
    <message>
        <source>What could not be read</source>
        <translation>Ciò che non è stato possibile leggere</translation>
    </message>
    <message>
        <source>&amp;Add a word…</source>
        <translation>&amp;Aggiungi una parola…</translation>
    </message>
    <message>
        <source>Add a word</source>
        <translation>Aggiungi una parola</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>Ca&amp;mbia…</translation>
    </message>
    <message>
        <source>Change the selected word</source>
        <translation>Cambia la parola selezionata</translation>
    </message>
    <message>
        <source>&amp;Delete…</source>
        <translation>&amp;Elimina…</translation>
    </message>
    <message>
        <source>Delete the selected word</source>
        <translation>Elimina la parola selezionata</translation>
    </message>
    <message>
        <source>Back (Esc)</source>
        <translation>Indietro (Esc)</translation>
    </message>
    <message>
        <source>Back to the start page (Esc)</source>
        <translation>Torna alla pagina iniziale (Esc)</translation>
    </message>
    <message>
        <source>What the form does</source>
        <translation>Che cosa fa il modulo</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>&amp;Save (Enter)</source>
        <translation>&amp;Salva (Invio)</translation>
    </message>
    <message>
        <source>Save the word (Enter)</source>
        <translation>Salva la parola (Invio)</translation>
    </message>
    <message>
        <source>Cancel (Esc)</source>
        <translation>Annulla (Esc)</translation>
    </message>
    <message>
        <source>Cancel, nothing is written (Esc)</source>
        <translation>Annulla, non viene scritto nulla (Esc)</translation>
    </message>
    <message>
        <source>1 word</source>
        <translation>1 parola</translation>
    </message>
    <message>
        <source>%1 words</source>
        <translation>%1 parole</translation>
    </message>
    <message>
        <source>No word of %1 matches</source>
        <translation>Nessuna parola su %1 corrisponde</translation>
    </message>
    <message>
        <source>%1 of %2 words match</source>
        <translation>%1 parole su %2 corrispondono</translation>
    </message>
    <message>
        <source>In the files&apos; order.</source>
        <translation>Nell&apos;ordine dei file.</translation>
    </message>
    <message>
        <source>Sorted by %1, %2.</source>
        <translation>Ordinate per %1, %2.</translation>
    </message>
    <message>
        <source>A to Z</source>
        <translation>dalla A alla Z</translation>
    </message>
    <message>
        <source>Z to A</source>
        <translation>dalla Z alla A</translation>
    </message>
    <message>
        <source>Change the word %1</source>
        <translation>Cambia la parola %1</translation>
    </message>
    <message>
        <source>The Thai-Italian file holds no record that goes with %1.</source>
        <translation>Il file thai-italiano non contiene nessun record che corrisponda a %1.</translation>
    </message>
    <message>
        <source>The Thai-Italian file holds %1 records that go with %2, not one for each time the Italian-Thai file holds it.</source>
        <translation>Il file thai-italiano contiene %1 record che corrispondono a %2, e non uno per ogni volta che la contiene il file italiano-thai.</translation>
    </message>
    <message>
        <source> Change the Italian-Thai record alone?</source>
        <translation> Cambiare solo il record italiano-thai?</translation>
    </message>
    <message>
        <source> Remove the Italian-Thai record alone?</source>
        <translation> Togliere solo il record italiano-thai?</translation>
    </message>
    <message>
        <source> The word was not changed, so that its review answers stay with it.</source>
        <translation> La parola non è stata cambiata, così le sue risposte di ripasso restano con lei.</translation>
    </message>
    <message>
        <source> The word was changed; its review answers follow it the next time Ripasso reads this folder.</source>
        <translation> La parola è stata cambiata; le sue risposte di ripasso la seguiranno la prossima volta che Ripasso legge questa cartella.</translation>
    </message>
    <message>
        <source>Delete %1 from the dictionary, in both directions? Its review answers are kept.</source>
        <translation>Eliminare %1 dal dizionario, in entrambe le direzioni? Le sue risposte di ripasso vengono conservate.</translation>
    </message>
    <message>
        <source>Record (Alt+R)</source>
        <translation>Registra (Alt+R)</translation>
    </message>
    <message>
        <source>Record the selected word&apos;s Thai (Alt+R)</source>
        <translation>Registra il thai della parola scelta (Alt+R)</translation>
    </message>
    <message>
        <source>Listen (Alt+L)</source>
        <translation>Ascolta (Alt+L)</translation>
    </message>
    <message>
        <source>Listen to the selected word (Alt+L)</source>
        <translation>Ascolta la parola scelta (Alt+L)</translation>
    </message>
    <message>
        <source>No microphone was found: nothing was recorded.</source>
        <translation>Non è stato trovato nessun microfono: non è stato registrato nulla.</translation>
    </message>
    <message>
        <source>The microphone could not be started: nothing was recorded.</source>
        <translation>Non è stato possibile avviare il microfono: non è stato registrato nulla.</translation>
    </message>
    <message>
        <source>Stop (Alt+R)</source>
        <translation>Ferma (Alt+R)</translation>
    </message>
    <message>
        <source>Stop the recording and keep it (Alt+R)</source>
        <translation>Ferma la registrazione e conservala (Alt+R)</translation>
    </message>
    <message>
        <source>The recording was too short (under a third of a second): nothing was written.</source>
        <translation>La registrazione era troppo breve (meno di un terzo di secondo): non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>The recording could not be written as %1: %2</source>
        <translation>Non è stato possibile scrivere la registrazione come %1: %2</translation>
    </message>
</context>
<context>
    <name>thaikit::ArgumentText</name>
    <message>
        <source>%1 is not an option of %2</source>
        <translation>%1 non è un&apos;opzione di %2</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 compare due volte</translation>
    </message>
    <message>
        <source>--folder needs a folder, not an empty text</source>
        <translation>--folder richiede una cartella, non un testo vuoto</translation>
    </message>
    <message>
        <source>--set takes FIELD=VALUE, FIELD one of italian, pronunciation, thai, attribute, note, thai-sound, italian-sound: not &quot;%1&quot;</source>
        <translation>--set richiede CAMPO=VALORE, con CAMPO uno tra italian, pronunciation, thai, attribute, note, thai-sound, italian-sound: non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--record takes a number from 1: not &quot;%1&quot;</source>
        <translation>--record richiede un numero da 1 in su: non &quot;%1&quot;</translation>
    </message>
    <message>
        <source>edit needs at least one --set FIELD=VALUE</source>
        <translation>edit richiede almeno un --set CAMPO=VALORE</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>opzione sconosciuta &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 richiede un valore</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>nessun comando indicato</translation>
    </message>
    <message>
        <source>%1 takes one word</source>
        <translation>%1 richiede una parola</translation>
    </message>
    <message>
        <source>%1 takes two words: ITALIAN PRONUNCIATION</source>
        <translation>%1 richiede due parole: ITALIANO PRONUNCIA</translation>
    </message>
    <message>
        <source>lookup takes a word, not an empty text</source>
        <translation>lookup richiede una parola, non un testo vuoto</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>comando sconosciuto &quot;%1&quot;</translation>
    </message>
    <message>
        <source>syllable takes a word, not an empty text</source>
        <translation>syllable richiede una parola, non un testo vuoto</translation>
    </message>
    <message>
        <source>--wav needs a file, not an empty text</source>
        <translation>--wav richiede un file, non un testo vuoto</translation>
    </message>
    <message>
        <source>say needs --wav FILE or --phonemes</source>
        <translation>say richiede --wav FILE oppure --phonemes</translation>
    </message>
    <message>
        <source>say takes a word, not an empty text</source>
        <translation>say richiede una parola, non un testo vuoto</translation>
    </message>
    <message>
        <source>import takes one file</source>
        <translation>import vuole un solo file</translation>
    </message>
    <message>
        <source>import takes a file, not an empty text</source>
        <translation>import vuole un file, non un testo vuoto</translation>
    </message>
</context>
<context>
    <name>thaikit::Text</name>
    <message>
        <source>Usage: thai-kit [--folder DIR] lookup WORD
       thai-kit [--folder DIR] add ITALIAN PRONUNCIATION [--thai T] [--attribute A]
                [--note N] [--thai-sound S] [--italian-sound S]
       thai-kit [--folder DIR] edit ITALIAN PRONUNCIATION --set FIELD=VALUE...
                [--record N] [--forward-alone]
       thai-kit [--folder DIR] delete ITALIAN PRONUNCIATION [--record N] [--forward-alone]
       thai-kit --help | --version

FIELD: italian, pronunciation, thai, attribute, note, thai-sound, italian-sound.
DIR: a folder typed as in Vocaboro (default: the folder chosen last in Ripasso,
else C:\THAI\). Exit status: 0 done, 1 nothing done (the reason on stderr),
2 a wrong command line. See thai-kit(1).
</source>
        <translation>Uso: thai-kit [--folder DIR] lookup PAROLA
     thai-kit [--folder DIR] add ITALIANO PRONUNCIA [--thai T] [--attribute A]
              [--note N] [--thai-sound S] [--italian-sound S]
     thai-kit [--folder DIR] edit ITALIANO PRONUNCIA --set CAMPO=VALORE...
              [--record N] [--forward-alone]
     thai-kit [--folder DIR] delete ITALIANO PRONUNCIA [--record N] [--forward-alone]
     thai-kit --help | --version

CAMPO: italian, pronunciation, thai, attribute, note, thai-sound, italian-sound.
DIR: una cartella scritta come in Vocaboro (se manca: l&apos;ultima cartella scelta in
Ripasso, altrimenti C:\THAI\). Stato di uscita: 0 fatto, 1 niente di fatto (il motivo
su stderr), 2 riga di comando sbagliata. Vedi thai-kit(1).
</translation>
    </message>
    <message>
        <source> The folder %1 is used.</source>
        <translation> Viene usata la cartella %1.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2.</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2 (line %3).</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2 (riga %3).</translation>
    </message>
    <message>
        <source>it holds a record longer than 4 MiB</source>
        <translation>contiene un record più lungo di 4 MiB</translation>
    </message>
    <message>
        <source>it ends in the middle of a record</source>
        <translation>finisce a metà di un record</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a character that the data files cannot hold: no entry has it.</source>
        <translation>&quot;%1&quot; contiene un carattere che i file di dati non possono contenere: nessuna voce lo ha.</translation>
    </message>
    <message>
        <source>no entry &quot;%1&quot; in either direction.</source>
        <translation>nessuna voce &quot;%1&quot; in nessuna delle due direzioni.</translation>
    </message>
    <message>
        <source>no entry &quot;%1&quot; in either direction; near it: %2.</source>
        <translation>nessuna voce &quot;%1&quot; in nessuna delle due direzioni; parole vicine: %2.</translation>
    </message>
    <message>
        <source>added to %1 and %2: %3</source>
        <translation>aggiunta a %1 e %2: %3</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 e %2</translation>
    </message>
    <message>
        <source>the data file &quot;%1&quot; holds no entry &quot;%2&quot; = &quot;%3&quot;.</source>
        <translation>il file di dati &quot;%1&quot; non contiene la voce &quot;%2&quot; = &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>the data files hold no entry &quot;%1&quot; = &quot;%2&quot;.</source>
        <translation>i file di dati non contengono la voce &quot;%1&quot; = &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>there is no --record %1: the data file &quot;%2&quot; holds the entry &quot;%3&quot; = &quot;%4&quot; %5 time(s).</source>
        <translation>non esiste --record %1: il file di dati &quot;%2&quot; contiene la voce &quot;%3&quot; = &quot;%4&quot; %5 volta/e.</translation>
    </message>
    <message>
        <source>the data file &quot;%1&quot; holds %2 different entries &quot;%3&quot; = &quot;%4&quot;; choose one with --record N:</source>
        <translation>il file di dati &quot;%1&quot; contiene %2 voci diverse &quot;%3&quot; = &quot;%4&quot;; scegline una con --record N:</translation>
    </message>
    <message>
        <source>the entry already reads so: nothing was changed.</source>
        <translation>la voce è già così: non è stato cambiato nulla.</translation>
    </message>
    <message>
        <source> To change the forward record alone, add --forward-alone.</source>
        <translation> Per cambiare solo il record italiano-thai, aggiungi --forward-alone.</translation>
    </message>
    <message>
        <source> To remove the forward record alone, add --forward-alone.</source>
        <translation> Per togliere solo il record italiano-thai, aggiungi --forward-alone.</translation>
    </message>
    <message>
        <source>changed in %1: %2
    now: %3</source>
        <translation>cambiata in %1: %2
    ora: %3</translation>
    </message>
    <message>
        <source>removed from %1: %2</source>
        <translation>tolta da %1: %2</translation>
    </message>
    <message>
        <source>. Try &quot;thai-kit --help&quot;.</source>
        <translation>. Prova &quot;thai-kit --help&quot;.</translation>
    </message>
    <message>
        <source>
thai-kit syllable WORD reads each syllable of a Thai WORD (its pieces between
&quot;-&quot; and spaces, split where only one split reads), a line each: syllable,
initial, class, vowel, length, final, live or dead, tone mark, tone; or the
piece and &quot;cannot read&quot;, with exit status 1. It needs no folder.
</source>
        <translation>
thai-kit syllable PAROLA legge ogni sillaba di una PAROLA thai (i suoi pezzi tra
&quot;-&quot; e gli spazi, divisi dove una sola divisione si legge), una riga ciascuna:
sillaba, iniziale, classe, vocale, durata, finale, viva o morta, segno di tono,
tono; oppure il pezzo e &quot;cannot read&quot;, con stato di uscita 1. Non usa cartelle.
</translation>
    </message>
    <message>
        <source>
thai-kit say WORD --wav FILE writes the Thai WORD as the kit says it, a
16-bit mono WAV at 22050 Hz; --phonemes prints each syllable&apos;s phonemes, a
line each. Exit status 1 when the word does not read whole, 3 when the
synthetic voice (eSpeak NG) is not installed. It needs no folder.
</source>
        <translation>
thai-kit say PAROLA --wav FILE scrive la PAROLA thai come la pronuncia il kit, in un
WAV mono a 16 bit e 22050 Hz; --phonemes stampa i fonemi di ogni sillaba, una
riga ciascuna. Stato di uscita 1 se la parola non si legge per intero, 3 se la
voce sintetica (eSpeak NG) non è installata. Non usa cartelle.
</translation>
    </message>
    <message>
        <source>%1 does not read whole (see &quot;thai-kit syllable %1&quot;): nothing said</source>
        <translation>%1 non si legge per intero (vedi &quot;thai-kit syllable %1&quot;): non è stato detto nulla</translation>
    </message>
    <message>
        <source>the synthetic voice (eSpeak NG with its Thai voice) is not installed: nothing said</source>
        <translation>la voce sintetica (eSpeak NG con la sua voce thai) non è installata: non è stato detto nulla</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>
thai-kit [--folder DIR] import FILE [--dry-run] adds the words of FILE: a
CSV or TSV table in UTF-8 whose header names the columns italiano,
pronuncia and, if wanted, thai, attributo, note, suono; Anki&apos;s text export;
or an Anki package (.apkg) of the kit&apos;s note type. Rows already in the
dictionary are skipped, rows the check refuses are told on stderr as
FILE:LINE: message. --dry-run checks and counts without writing. Exit
status 0 when the file was read to its end, 1 otherwise.
</source>
        <translation>
thai-kit [--folder DIR] import FILE [--dry-run] aggiunge le parole di FILE:
una tabella CSV o TSV in UTF-8 la cui intestazione nomina le colonne italiano,
pronuncia e, se si vuole, thai, attributo, note, suono; l&apos;esportazione di
testo di Anki; o un pacchetto di Anki (.apkg) del tipo di nota del kit. Le righe
già nel dizionario sono saltate, quelle che il controllo rifiuta sono dette su
stderr come FILE:RIGA: messaggio. --dry-run controlla e conta senza scrivere.
Stato di uscita 0 quando il file è stato letto fino in fondo, 1 altrimenti.
</translation>
    </message>
    <message>
        <source>(dry run: nothing was written)</source>
        <translation>(prova: non è stato scritto nulla)</translation>
    </message>
</context>
<context>
    <name>vocaboro::CheckText</name>
    <message>
        <source>: no &quot; allowed</source>
        <translation>: le virgolette &quot; non sono ammesse</translation>
    </message>
    <message>
        <source>: no line breaks</source>
        <translation>: niente a capo</translation>
    </message>
    <message>
        <source>: Thai script or unaccented letters only</source>
        <translation>: solo scrittura thai o lettere senza accento</translation>
    </message>
    <message>
        <source>: letter not allowed</source>
        <translation>: lettera non ammessa</translation>
    </message>
</context>
<context>
    <name>vocaboro::EntryPanel</name>
    <message>
        <source>End the new word</source>
        <translation>Chiudi la nuova parola</translation>
    </message>
    <message>
        <source>Close the new-word panel</source>
        <translation>Chiudi il pannello della nuova parola</translation>
    </message>
</context>
<context>
    <name>vocaboro::EntryText</name>
    <message>
        <source>an entry</source>
        <translation>una voce</translation>
    </message>
    <message>
        <source>the entry %1</source>
        <translation>la voce %1</translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished, and another program has changed &quot;%2&quot; since. That file was left as it is: please check that entry in it.</source>
        <translation>La modifica o la rimozione di %1 si è interrotta prima della fine, e da allora un altro programma ha cambiato &quot;%2&quot;. Quel file è stato lasciato com&apos;è: controlla la voce al suo interno.</translation>
    </message>
    <message>
        <source>the data files changed last</source>
        <translation>gli ultimi file di dati modificati</translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished, and its record of that change, &quot;%2&quot;, is damaged. Nothing was done, so the entry may be changed in one data file only: please check it in %3. The damaged record was kept as &quot;%4&quot;.</source>
        <translation>La modifica o la rimozione di %1 si è interrotta prima della fine, e la sua traccia di quella modifica, &quot;%2&quot;, è danneggiata. Non è stato fatto nulla, quindi la voce potrebbe essere cambiata in un solo file di dati: controllala in %3. La traccia danneggiata è stata conservata come &quot;%4&quot;.</translation>
    </message>
    <message>
        <source>A change or removal of %2 was stopped before it was finished, and &quot;%3&quot; could not be brought in line yet: %4. Until it is, the entry may differ between the data files, and no word can be added, changed or removed in this data folder. %1 tries again before each write and at the next start.</source>
        <translation>La modifica o la rimozione di %2 si è interrotta prima della fine, e non è ancora stato possibile allineare &quot;%3&quot;: %4. Finché non lo sarà, la voce potrebbe essere diversa nei due file di dati, e in questa cartella di dati non si possono aggiungere, cambiare o togliere parole. %1 riprova prima di ogni scrittura e al prossimo avvio.</translation>
    </message>
    <message>
        <source>A change or removal of %2 was stopped before it was finished; %1 has now completed it in every data file it concerns.</source>
        <translation>La modifica o la rimozione di %2 si è interrotta prima della fine; ora %1 l&apos;ha completata in tutti i file di dati interessati.</translation>
    </message>
    <message>
        <source>A change or removal of %1 was stopped before it was finished. Nothing was changed: the entry is as it was in both data files; make the change again to keep it.</source>
        <translation>La modifica o la rimozione di %1 si è interrotta prima della fine. Non è cambiato nulla: la voce è com&apos;era in entrambi i file di dati; rifai la modifica per mantenerla.</translation>
    </message>
    <message>
        <source>journal</source>
        <translation>registro</translation>
    </message>
    <message>
        <source>data file</source>
        <translation>file di dati</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; ends with an incomplete record on line %2. Nothing was stored; repair that line, then write again.</source>
        <translation>Il file di dati &quot;%1&quot; finisce con un record incompleto alla riga %2. Non è stato salvato nulla; correggi quella riga, poi scrivi di nuovo.</translation>
    </message>
    <message>
        <source>The entry is longer than a record of the data files can be (4 MiB). Nothing was stored.</source>
        <translation>La voce è più lunga di quanto possa essere un record dei file di dati (4 MiB). Non è stato salvato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds a record longer than 4 MiB on line %2. Nothing was stored; repair that line, then write again.</source>
        <translation>Il file di dati &quot;%1&quot; contiene un record più lungo di 4 MiB alla riga %2. Non è stato salvato nulla; correggi quella riga, poi scrivi di nuovo.</translation>
    </message>
    <message>
        <source>An earlier, unfinished write could not be undone in &quot;%1&quot;: %2. Nothing was stored; try again in a moment.</source>
        <translation>Non è stato possibile annullare in &quot;%1&quot; una scrittura precedente rimasta incompiuta: %2. Non è stato salvato nulla; riprova tra un momento.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be %2&apos;s journal of unfinished writes: %3. Nothing was stored. Move it away or remove it (it holds no words), then write again.</source>
        <translation>&quot;%1&quot; non può fare da registro delle scritture incompiute di %2: %3. Non è stato salvato nulla. Spostalo altrove o eliminalo (non contiene parole), poi scrivi di nuovo.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is in use by another program. Nothing was stored; try again in a moment.</source>
        <translation>Il %1 &quot;%2&quot; è in uso da parte di un altro programma. Non è stato salvato nulla; riprova tra un momento.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. The part of the entry already written to &quot;%4&quot; could not be removed (%5); %6 will remove it the next time it opens this data folder.</source>
        <translation>Non è stato possibile scrivere il %1 &quot;%2&quot;: %3. Non è stato possibile togliere la parte della voce già scritta in &quot;%4&quot; (%5); %6 la toglierà la prossima volta che aprirà questa cartella di dati.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. Nothing was stored.</source>
        <translation>Non è stato possibile scrivere il %1 &quot;%2&quot;: %3. Non è stato salvato nulla.</translation>
    </message>
    <message>
        <source> To keep your own words, give %1 a folder of your own with --folder, such as %2/thai/, with a copy of the data files in it.</source>
        <translation> Per conservare le tue parole, indica a %1 una cartella tua con --folder, per esempio %2/thai/, con dentro una copia dei file di dati.</translation>
    </message>
    <message>
        <source> To keep your own words, start %1 again and type a folder of your own at the prompt, such as %2/thai/, with a copy of the data files in it.</source>
        <translation> Per conservare le tue parole, riavvia %1 e scrivi una cartella tua quando la chiede, per esempio %2/thai/, con dentro una copia dei file di dati.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is where %2 keeps the record of an unfinished write, but %3. %2 neither reads nor changes it, and cannot add words to this data folder while it is there: move it away or remove it (it holds no words), then start %2 again.</source>
        <translation>&quot;%1&quot; è dove %2 tiene traccia di una scrittura incompiuta, ma %3. %2 non lo legge né lo modifica, e finché c&apos;è non può aggiungere parole a questa cartella di dati: spostalo altrove o eliminalo (non contiene parole), poi riavvia %2.</translation>
    </message>
    <message>
        <source>%1 cannot use &quot;%2&quot;, its record of an unfinished write: %3. Until it can, the last entry written may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation>%1 non può usare &quot;%2&quot;, la sua traccia di una scrittura incompiuta: %3. Finché non potrà, l&apos;ultima voce scritta potrebbe trovarsi in un solo file di dati, e non si possono aggiungere parole a questa cartella di dati. %1 riprova prima di ogni scrittura e al prossimo avvio.</translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and another program has changed &quot;%3&quot; since. That file was left as it is: please check its last line.</source>
        <translation>%1 si è fermato prima di finire di scrivere %2, e da allora un altro programma ha cambiato &quot;%3&quot;. Quel file è stato lasciato com&apos;è: controllane l&apos;ultima riga.</translation>
    </message>
    <message>
        <source>the data files written last</source>
        <translation>gli ultimi file di dati scritti</translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and its record of that write, &quot;%3&quot;, is damaged. Nothing was removed, so the entry may be in one data file only: please check the last lines of %4. The damaged record was kept as &quot;%5&quot;.</source>
        <translation>%1 si è fermato prima di finire di scrivere %2, e la sua traccia di quella scrittura, &quot;%3&quot;, è danneggiata. Non è stato tolto nulla, quindi la voce potrebbe trovarsi in un solo file di dati: controlla le ultime righe di %4. La traccia danneggiata è stata conservata come &quot;%5&quot;.</translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2, and the part already stored in &quot;%3&quot; could not be removed yet: %4. Until it is, the entry may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation>%1 si è fermato prima di finire di scrivere %2, e non è ancora stato possibile togliere la parte già salvata in &quot;%3&quot;: %4. Finché non sarà tolta, la voce potrebbe trovarsi in un solo file di dati, e non si possono aggiungere parole a questa cartella di dati. %1 riprova prima di ogni scrittura e al prossimo avvio.</translation>
    </message>
    <message>
        <source>%1 stopped before it had finished writing %2. The part already stored has been removed, so the entry is in neither data file: write it again to keep it.</source>
        <translation>%1 si è fermato prima di finire di scrivere %2. La parte già salvata è stata tolta, quindi la voce non è in nessuno dei due file di dati: scrivila di nuovo per conservarla.</translation>
    </message>
    <message>
        <source>No data file holds that entry. Nothing was changed.</source>
        <translation>Nessun file di dati contiene quella voce. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; does not hold that entry (any longer). Nothing was changed.</source>
        <translation>Il file di dati &quot;%1&quot; non contiene (più) quella voce. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>No data file holds a reverse record that goes with the entry: it is in one direction only. Nothing was changed.</source>
        <translation>Nessun file di dati contiene un record thai-italiano che corrisponda alla voce: è in una sola direzione. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds no reverse record that goes with the entry: it is in one direction only. Nothing was changed.</source>
        <translation>Il file di dati &quot;%1&quot; non contiene un record thai-italiano che corrisponda alla voce: è in una sola direzione. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds %2 reverse records that go with the entry, not one for each time its forward file holds it. Nothing was changed.</source>
        <translation>Il file di dati &quot;%1&quot; contiene %2 record thai-italiano che corrispondono alla voce, e non uno per ogni volta che la contiene il suo file italiano-thai. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The changed entry cannot be written: a word has no data file for its first letter, a key word is empty, or a value holds a double quote or a line break. Nothing was changed.</source>
        <translation>Non è possibile scrivere la voce modificata: una parola non ha un file di dati per la sua iniziale, una parola chiave è vuota, oppure un valore contiene virgolette doppie o un a capo. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; ends with an incomplete record on line %2. Nothing was changed; repair that line, then try again.</source>
        <translation>Il file di dati &quot;%1&quot; finisce con un record incompleto alla riga %2. Non è cambiato nulla; correggi quella riga, poi riprova.</translation>
    </message>
    <message>
        <source>The changed entry is longer than a record of the data files can be (4 MiB). Nothing was changed.</source>
        <translation>La voce modificata è più lunga di quanto possa essere un record dei file di dati (4 MiB). Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds a record longer than 4 MiB on line %2. Nothing was changed; repair that line, then try again.</source>
        <translation>Il file di dati &quot;%1&quot; contiene un record più lungo di 4 MiB alla riga %2. Non è cambiato nulla; correggi quella riga, poi riprova.</translation>
    </message>
    <message>
        <source>An earlier, unfinished write or change could not be finished or undone in &quot;%1&quot;: %2. Nothing was changed; try again in a moment.</source>
        <translation>Non è stato possibile completare o annullare in &quot;%1&quot; una scrittura o modifica precedente rimasta incompiuta: %2. Non è cambiato nulla; riprova tra un momento.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is in use by another program. Nothing was changed; try again in a moment.</source>
        <translation>Il %1 &quot;%2&quot; è in uso da parte di un altro programma. Non è cambiato nulla; riprova tra un momento.</translation>
    </message>
    <message>
        <source>The data folder cannot be written, so &quot;%1&quot;, where a change is first written down, could not be made: %2. Nothing was changed.</source>
        <translation>Non si può scrivere nella cartella di dati, quindi non è stato possibile creare &quot;%1&quot;, dove una modifica viene annotata per prima: %2. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the journal of unfinished writes: %2. Nothing was changed. Move it away or remove it (it holds no words), then try again.</source>
        <translation>&quot;%1&quot; non può fare da registro delle scritture incompiute: %2. Non è cambiato nulla. Spostalo altrove o eliminalo (non contiene parole), poi riprova.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; is not changed in place: %2, and a change writes the file anew under its name. Nothing was changed. Put a copy of the file itself in its place, then try again.</source>
        <translation>Il file di dati &quot;%1&quot; non viene modificato sul posto: %2, e una modifica riscrive il file da capo con lo stesso nome. Non è cambiato nulla. Metti al suo posto una copia del file vero e proprio, poi riprova.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be opened: %3. Nothing was changed.</source>
        <translation>Non è stato possibile aprire il %1 &quot;%2&quot;: %3. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. Nothing was changed.</source>
        <translation>Non è stato possibile scrivere il %1 &quot;%2&quot;: %3. Non è cambiato nulla.</translation>
    </message>
    <message>
        <source>The change is recorded, but &quot;%1&quot; could not be put in its place: %2. The record of the change stays in &quot;%3&quot;, and the next program of the kit that writes to this data folder finishes it.</source>
        <translation>La modifica è annotata, ma non è stato possibile mettere &quot;%1&quot; al suo posto: %2. La traccia della modifica resta in &quot;%3&quot;, e il prossimo programma del kit che scrive in questa cartella di dati la completerà.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot;</source>
        <translation>&quot;%1&quot; e &quot;%2&quot;</translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and another program has changed &quot;%2&quot; since. That file was left as it is: please check its last lines. The entries of the import were removed from the other data files.</source>
        <translation>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voce, e da allora un altro programma ha cambiato &quot;%2&quot;. Quel file è stato lasciato com&apos;è: controllane le ultime righe. La voce dell&apos;importazione è stata tolta dagli altri file di dati.</numerusform>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voci, e da allora un altro programma ha cambiato &quot;%2&quot;. Quel file è stato lasciato com&apos;è: controllane le ultime righe. Le voci dell&apos;importazione sono state tolte dagli altri file di dati.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and its record of that import, &quot;%2&quot;, is damaged. Nothing was removed, so some of those entries may be in one data file only: please check the last lines of %3. The damaged record was kept as &quot;%4&quot;.</source>
        <translation>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voce, e la sua traccia di quell&apos;importazione, &quot;%2&quot;, è danneggiata. Non è stato tolto nulla, quindi quella voce potrebbe trovarsi in un solo file di dati: controlla le ultime righe di %3. La traccia danneggiata è stata conservata come &quot;%4&quot;.</numerusform>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voci, e la sua traccia di quell&apos;importazione, &quot;%2&quot;, è danneggiata. Non è stato tolto nulla, quindi alcune di quelle voci potrebbero trovarsi in un solo file di dati: controlla le ultime righe di %3. La traccia danneggiata è stata conservata come &quot;%4&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries, and the part already stored in &quot;%2&quot; could not be removed yet: %3. Until it is, those entries may be in one data file only, and no word can be added to this data folder. %1 tries again before each write and at the next start.</source>
        <translation>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voce, e non è ancora stato possibile togliere la parte già salvata in &quot;%2&quot;: %3. Finché non sarà tolta, quella voce potrebbe trovarsi in un solo file di dati, e non si possono aggiungere parole a questa cartella di dati. %1 riprova prima di ogni scrittura e al prossimo avvio.</numerusform>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voci, e non è ancora stato possibile togliere la parte già salvata in &quot;%2&quot;: %3. Finché non sarà tolta, quelle voci potrebbero trovarsi in un solo file di dati, e non si possono aggiungere parole a questa cartella di dati. %1 riprova prima di ogni scrittura e al prossimo avvio.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stopped before it had finished an import of %n entries. The part already stored has been removed, so none of them was kept: import them again to keep them.</source>
        <translation>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voce. La parte già salvata è stata tolta, quindi la voce non è stata conservata: importala di nuovo per conservarla.</numerusform>
            <numerusform>%1 si è fermato prima di finire un&apos;importazione di %n voci. La parte già salvata è stata tolta, quindi nessuna è stata conservata: importale di nuovo per conservarle.</numerusform>
        </translation>
    </message>
    <message>
        <source>The part of the import to be written at once is larger than one write can take (2 MiB). Nothing of it was stored.</source>
        <translation>La parte dell&apos;importazione da scrivere in una volta è più grande di quanto una scrittura possa contenere (2 MiB). Non ne è stato salvato nulla.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. The part of the import already written to &quot;%4&quot; could not be removed (%5); the next write to this data folder removes it, or %6 when it opens the folder again.</source>
        <translation>Non è stato possibile scrivere il %1 &quot;%2&quot;: %3. Non è stato possibile togliere la parte dell&apos;importazione già scritta in &quot;%4&quot; (%5); la toglierà la prossima scrittura in questa cartella di dati, oppure %6 quando riaprirà la cartella.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; ends with an incomplete record on line %2. None of the entries being written then was stored; repair that line, then import again.</source>
        <translation>Il file di dati &quot;%1&quot; finisce con un record incompleto alla riga %2. Nessuna delle voci in scrittura in quel momento è stata salvata; ripara quella riga, poi importa di nuovo.</translation>
    </message>
    <message>
        <source>An entry of the import is longer than a record of the data files can be (4 MiB). None of the entries being written then was stored.</source>
        <translation>Una voce dell&apos;importazione è più lunga di quanto possa essere un record dei file di dati (4 MiB). Nessuna delle voci in scrittura in quel momento è stata salvata.</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; holds a record longer than 4 MiB on line %2. None of the entries being written then was stored; repair that line, then import again.</source>
        <translation>Il file di dati &quot;%1&quot; contiene un record più lungo di 4 MiB alla riga %2. Nessuna delle voci in scrittura in quel momento è stata salvata; ripara quella riga, poi importa di nuovo.</translation>
    </message>
    <message>
        <source>An earlier, unfinished write could not be undone in &quot;%1&quot;: %2. None of the entries being written then was stored; try again in a moment.</source>
        <translation>Non è stato possibile annullare in &quot;%1&quot; una scrittura precedente rimasta incompiuta: %2. Nessuna delle voci in scrittura in quel momento è stata salvata; riprova tra un momento.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be %2&apos;s journal of unfinished writes: %3. None of the entries being written then was stored. Move it away or remove it (it holds no words), then import again.</source>
        <translation>&quot;%1&quot; non può fare da registro delle scritture incompiute di %2: %3. Nessuna delle voci in scrittura in quel momento è stata salvata. Spostalo altrove o eliminalo (non contiene parole), poi importa di nuovo.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is in use by another program. None of the entries being written then was stored; try again in a moment.</source>
        <translation>Il %1 &quot;%2&quot; è in uso da parte di un altro programma. Nessuna delle voci in scrittura in quel momento è stata salvata; riprova tra un momento.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be opened: %3. None of the entries being written then was stored.</source>
        <translation>Non è stato possibile aprire il %1 &quot;%2&quot;: %3. Nessuna delle voci in scrittura in quel momento è stata salvata.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; could not be written: %3. None of the entries being written then was stored.</source>
        <translation>Non è stato possibile scrivere il %1 &quot;%2&quot;: %3. Nessuna delle voci in scrittura in quel momento è stata salvata.</translation>
    </message>
</context>
<context>
    <name>vocaboro::Form1</name>
    <message>
        <source>End Vocaboro</source>
        <translation>Chiudi Vocaboro</translation>
    </message>
    <message>
        <source>Italian word to look up</source>
        <translation>Parola italiana da cercare</translation>
    </message>
    <message>
        <source>Thai word in Latin letters to look up</source>
        <translation>Parola thai in lettere latine da cercare</translation>
    </message>
    <message>
        <source>Thai word in Thai script to look up</source>
        <translation>Parola thai in scrittura thai da cercare</translation>
    </message>
</context>
<context>
    <name>vocaboro::HelpPage</name>
    <message>
        <source>Drawn for the kit</source>
        <translation>Disegnato per il kit</translation>
    </message>
</context>
<context>
    <name>vocaboro::LookupText</name>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2 (line %3).</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2 (riga %3).</translation>
    </message>
    <message>
        <source>it holds a record longer than 4 MiB</source>
        <translation>contiene un record più lungo di 4 MiB</translation>
    </message>
    <message>
        <source>it ends in the middle of a record</source>
        <translation>finisce a metà di un record</translation>
    </message>
    <message>
        <source>The data file &quot;%1&quot; could not be read: %2.</source>
        <translation>Non è stato possibile leggere il file di dati &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>The Thai script cannot hold the character “%1”: nothing was searched.</source>
        <translation>La scrittura thai non può contenere il carattere “%1”: non è stato cercato nulla.</translation>
    </message>
</context>
<context>
    <name>vocaboro::MainText</name>
    <message>
        <source>Usage: vocaboro [--help | --version]
Vocaboro, the Italian-Thai dictionary console of the Thai kit. Type an Italian word,
or a Thai word in Latin letters, and press Enter: it prints the translations with the
Thai script. Its panel adds new words to the dictionary in both directions.
At the start it asks for the folder of the data files; C:\THAI\ is your own copy
of the kit&apos;s starter dictionary.

  --help     show this help and end
  --version  show the version and end

It needs a graphical session. See also: man vocaboro.
</source>
        <translation>Uso: vocaboro [--help | --version]
Vocaboro, la console del dizionario italiano-thai del Thai kit. Scrivi una parola
italiana, o una parola thai in lettere latine, e premi Invio: stampa le traduzioni con
la scrittura thai. Il suo pannello aggiunge parole nuove al dizionario in entrambe le
direzioni.
All&apos;avvio chiede la cartella dei file di dati; C:\THAI\ è la tua copia del dizionario
iniziale del kit.

  --help     mostra questo aiuto ed esce
  --version  mostra la versione ed esce

Richiede una sessione grafica. Vedi anche: man vocaboro.
</translation>
    </message>
</context>
</TS>
