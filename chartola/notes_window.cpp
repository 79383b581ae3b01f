#include "notes_window.h"

#include "platform/enter_clicks.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/placement.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

using platform::place;

namespace chartola {

// The usage notes of the dictionary window, lines separated by CR LF.
const QString& notesText() {
    static const QString text = QString::fromUtf16(
        u"Questo programma è ancora in versione sperimentale, comunque è già funzionante.\r\n"
        u"\r\n"
        u"Come usare il dizionario:\r\n"
        u"1) Cliccare su una delle due icone \"Load all..\" (italiano-thai oppure thai-italiano) e "
        u"attendere finché sul pulsante compare la scritta \"full\": il dizionario intero è "
        u"caricato.\r\n"
        u"2) Scrivere la parola nella casella di inserimento in alto a sinistra e premere una sola "
        u"volta il tasto cursore su oppure giù: a destra compare la pronuncia della parola, sotto "
        u"compaiono l'attributo e le note.\r\n"
        u"3) L'elenco a discesa della casella di inserimento si può scorrere soltanto con i tasti "
        u"cursore e con i tasti pagina su e pagina giù.\r\n"
        u"4) Scrivendo una parola e premendo Invio si carica soltanto la parte del dizionario che "
        u"comincia con la prima lettera della parola: il caricamento è molto più rapido.\r\n"
        u"5) Nella direzione thai-italiano, al posto della pronuncia compare la traduzione in "
        u"italiano.\r\n"
        u"6) Quando la parola viene selezionata, il testo scritto diventa blu.\r\n"
        u"\r\n"
        u"** Questa versione non può ancora ricevere né mostrare le parole scritte in caratteri "
        u"thai, ma soltanto la loro pronuncia. Ogni suggerimento è benvenuto, e cerchiamo "
        u"collaboratori disposti a curare e ad ampliare gli elenchi dei vocaboli.\r\n"
        u"\r\n"
        u"Per contribuire basta aggiungere le parole nuove con Vocaboro: i file del dizionario "
        u"sono semplici file di testo, uno per ogni lettera e direzione, e si possono copiare e "
        u"scambiare fra amici e compagni di studio.\r\n"
        u"Il pulsante \"Alphabet\" apre la tavola delle 46 consonanti: un clic su una lettera ne "
        u"mostra la lettura e il nome, e fa ascoltare la sua pronuncia. Ripetere ad alta voce "
        u"aiuta a ricordare i toni.\r\n"
        u"Un consiglio: ogni giorno cercare almeno dieci parole, leggerne la pronuncia e scriverle "
        u"di nuovo a mano su un quaderno; dopo una settimana la memoria farà il resto quasi da "
        u"sola, e con poca fatica.\r\n"
        u"Buono studio e buon viaggio in Thailandia!");
    return text;
}

Form4::Form4(NotesLinks links, QWidget* parent) : QWidget(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Help"));
    setWindowIcon(platform::loadIcon("chartola_icon.png"));
    setFixedSize(platform::twipsToPixels(8745), platform::twipsToPixels(4905));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(64, 0, 64));
    setPalette(pal);
    setAutoFillBackground(true);

    Text1 = place(new QPlainTextEdit(this), "Text1", {240, 120, 8295, 4095});
    Text1->setStyleSheet(QStringLiteral("background-color: rgb(255, 224, 192); color: black;"));
    Text1->setPlainText(notesText());
    Text1->setAccessibleName(QStringLiteral("Help"));
    Text1->setTabChangesFocus(true); // Tab goes on to OK, so the keys alone get out
    Command1 =
        place(new QPushButton(QStringLiteral("OK"), this), "Command1", {240, 4320, 8175, 375});
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    platform::EnterClicks::installOnAll(this);
}

void Form4::Command1_Click() {
    links_.backToDictionary();
}

void Form4::closeEvent(QCloseEvent* event) {
    event->accept();
    links_.endProgram();
}

} // namespace chartola
