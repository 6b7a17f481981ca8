#include "ReleaseNotesFetcher.h"

#include "UpdateRequest.h"
#include "UrlSafety.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace BrioUpdate {

namespace {

// The notes text of a reply, or empty when there is none worth showing.
QString notesText(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return {};
    return QString::fromUtf8(reply->readAll()).trimmed();
}

} // namespace

QUrl ReleaseNotesFetcher::notesUrlFor(const UpdateConfig &config)
{
    // The channel's directory is /<product>/<channel>/; the notes of version V
    // lie at /<product>/V/release-notes.md.
    QString path = config.manifestBaseUrl.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        path.truncate(slash + 1);
    path += config.currentVersion + QStringLiteral("/release-notes.md");

    QUrl url = config.manifestBaseUrl;
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QUrl ReleaseNotesFetcher::localizedUrlFor(const QUrl &notesUrl, const QString &localeName)
{
    // Only a two-letter language code names a translation: "en" has none, and
    // the "C" or "POSIX" locale of an unconfigured system names no language.
    const QString language = localeName.left(2);
    const auto isAsciiLower = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };
    const bool isLanguageCode =
        language.size() == 2 && isAsciiLower(language.at(0)) && isAsciiLower(language.at(1));
    if (!isLanguageCode || language == QLatin1String("en"))
        return {};
    QString path = notesUrl.path(QUrl::FullyDecoded);
    if (path.endsWith(QLatin1String(".md")))
        path.insert(path.size() - 3, QLatin1Char('.') + language);
    QUrl url = notesUrl;
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

ReleaseNotesFetcher::ReleaseNotesFetcher(const UpdateConfig &config, QObject *parent)
    : ReleaseNotesFetcher(notesUrlFor(config), config.appId, parent)
{
}

ReleaseNotesFetcher::ReleaseNotesFetcher(const QUrl &notesUrl, const QString &userAgentTag, QObject *parent)
    : QObject(parent)
    , userAgentTag(userAgentTag)
    , network(new QNetworkAccessManager(this))
    , notesUrl(notesUrl)
    , localizedNotesUrl(localizedUrlFor(notesUrl, QLocale::system().name()))
    , transferTimeoutMs(defaultTransferTimeoutMs)
{
}

void ReleaseNotesFetcher::setTransferTimeout(int milliseconds)
{
    transferTimeoutMs = milliseconds;
}

void ReleaseNotesFetcher::fetch()
{
    // The address may come from a manifest: anything but a web URL (a local
    // file, say) is not fetched, and the caller hears of it as usual, later.
    if (!isWebUrl(notesUrl)) {
        QTimer::singleShot(0, this, &ReleaseNotesFetcher::notesUnavailable);
        return;
    }
    if (localizedNotesUrl.isValid())
        get(localizedNotesUrl, &ReleaseNotesFetcher::onLocalizedReply);
    else
        get(notesUrl, &ReleaseNotesFetcher::onDefaultReply);
}

void ReleaseNotesFetcher::get(const QUrl &url, void (ReleaseNotesFetcher::*handler)(QNetworkReply *))
{
    QNetworkReply *reply = network->get(buildRequest(url, userAgentTag, transferTimeoutMs));
    connect(reply, &QNetworkReply::finished, this, [this, reply, handler]() { (this->*handler)(reply); });
}

void ReleaseNotesFetcher::onLocalizedReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const QString text = notesText(reply);
    if (!text.isEmpty()) {
        Q_EMIT notesReady(text);
        return;
    }
    get(notesUrl, &ReleaseNotesFetcher::onDefaultReply);
}

void ReleaseNotesFetcher::onDefaultReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const QString text = notesText(reply);
    if (text.isEmpty())
        Q_EMIT notesUnavailable();
    else
        Q_EMIT notesReady(text);
}

} // namespace BrioUpdate
