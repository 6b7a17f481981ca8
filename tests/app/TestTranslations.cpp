#include "Application.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// The language the program is started in here, through the platform setting.
const QString StartLanguage = QStringLiteral("fr");

struct TsMessage
{
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
    QString type;             // the translation's type attribute: empty when finished
    QStringList translations; // one per plural form, or the one translation
};

QString tsPath(const QString &language)
{
    return QDir(qEnvironmentVariable("TALLYFERN_TS_DIR"))
        .filePath(QStringLiteral("tallyfern_%1.ts").arg(language));
}

// Every message of a .ts file; empty with *error set when it cannot be read.
QList<TsMessage> readTs(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return {};
    }
    QList<TsMessage> messages;
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = TsMessage();
            message.context = context;
            message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (message.numerus) {
                while (xml.readNextStartElement())
                    message.translations.append(xml.readElementText());
            } else {
                message.translations.append(xml.readElementText());
            }
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("%1: %2").arg(path, xml.errorString());
    return messages;
}

// %1..%9 and %n (also in their %L forms), each once however often it occurs.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?([1-9]|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(1));
    found.removeDuplicates();
    found.sort();
    return found;
}

// A keyboard accelerator: "&" before a letter or digit ("&&" is a literal "&").
bool hasAccelerator(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("(^|[^&])(&&)*&[^&\\s]"));
    return pattern.match(text).hasMatch();
}

QString describe(const TsMessage &message)
{
    return QStringLiteral("[%1] \"%2\"").arg(message.context, message.source.left(60));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void translationIsCompleteAndBuilt_data();
    void translationIsCompleteAndBuilt();
    void startLanguageIsLoaded();
};

void TestTranslations::translationIsCompleteAndBuilt_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"en", "es", "de", "fr", "ja"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

// Every message of the .ts file is finished and keeps its placeholders and
// accelerator, and the built .qm shows what the .ts file says.
void TestTranslations::translationIsCompleteAndBuilt()
{
    QFETCH(QString, language);
    QString error;
    const QList<TsMessage> messages = readTs(tsPath(language), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.isEmpty());

    QStringList faults;
    for (const TsMessage &message : messages) {
        if (!message.type.isEmpty()) {
            faults << QStringLiteral("%1 is %2").arg(describe(message), message.type);
            continue;
        }
        const QStringList expected = placeholders(message.source);
        for (const QString &translation : message.translations) {
            if (translation.isEmpty())
                faults << QStringLiteral("%1 has an empty translation").arg(describe(message));
            else if (placeholders(translation) != expected)
                faults << QStringLiteral("%1: placeholders of \"%2\" differ")
                              .arg(describe(message), translation);
            else if (hasAccelerator(translation) != hasAccelerator(message.source))
                faults << QStringLiteral("%1: accelerator of \"%2\" differs")
                              .arg(describe(message), translation);
        }
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("%1 fault(s) in %2:\n").arg(faults.size()).arg(language) +
                        faults.mid(0, 40).join(QLatin1Char('\n'))));

    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/i18n/tallyfern_%1.qm").arg(language)));
    for (const TsMessage &message : messages) {
        if (!message.type.isEmpty() || message.translations.value(0).isEmpty())
            continue;
        const QByteArray context = message.context.toUtf8();
        const QByteArray source = message.source.toUtf8();
        const QByteArray comment = message.comment.toUtf8();
        // One is the first plural form in every language here (Japanese has only that one).
        const QString shown =
            translator.translate(context.constData(), source.constData(),
                                 comment.isEmpty() ? nullptr : comment.constData(), message.numerus ? 1 : -1);
        if (shown != message.translations.first())
            faults << QStringLiteral("%1 shows \"%2\"").arg(describe(message), shown);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join(QLatin1Char('\n'))));
}

void TestTranslations::startLanguageIsLoaded()
{
    QTranslator qt;
    QVERIFY(
        qt.load(QStringLiteral("qt_") + StartLanguage, QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
             qt.translate("QPlatformTheme", "Cancel"));

    QString error;
    const QList<TsMessage> messages = readTs(tsPath(StartLanguage), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    int checked = 0;
    for (const TsMessage &message : messages) {
        if (message.numerus || !message.comment.isEmpty() || message.translations.value(0).isEmpty() ||
            message.translations.first() == message.source)
            continue;
        QCOMPARE(QCoreApplication::translate(message.context.toUtf8().constData(),
                                             message.source.toUtf8().constData()),
                 message.translations.first());
        ++checked;
    }
    QVERIFY(checked > 0);
}

int main(int argc, char *argv[])
{
    {
        QSettings settings(QStringLiteral("Tallowmere"), QStringLiteral("Tallyfern"));
        settings.setValue(QStringLiteral("ui/language"), StartLanguage);
        settings.sync();
    }
    Application application(argc, argv);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestTranslations.moc"
