#include "OpeningBalance.h"

#include <QDir>
#include <QTranslator>

namespace OpeningBalance {

QStringList payees(const QString &shown)
{
    const char *const source = "Opening Balance";
    QStringList texts{shown, QString::fromLatin1(source)};
    // Each command that opens an account translates the text in its own context.
    const QDir translations(QStringLiteral(":/i18n"));
    for (const QString &file : translations.entryList({QStringLiteral("tallyfern_*.qm")}, QDir::Files)) {
        QTranslator translator;
        if (!translator.load(translations.filePath(file)))
            continue;
        for (const char *context : {"MainWindow", "ImportScreen"})
            texts << translator.translate(context, source);
    }
    // Rows stored by earlier versions and by devices that still run them.
    texts << QStringLiteral("Saldo inicial") << QStringLiteral("Anfangssaldo") << QStringLiteral("Solde initial")
          << QStringLiteral("開始残高");
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

} // namespace OpeningBalance
