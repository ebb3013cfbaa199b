#include "transfer.h"

#include "logging.h"
#include "wait.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace platform {

namespace {

// True when the reply ended because of what the server answered (an HTTP
// status of its own, with its body), false when the transfer itself broke
// off.
bool is_http_level_error(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
    // 4xx answers
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ContentReSendError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::ProtocolInvalidOperationError:
    // 5xx answers
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

bool is_success_status(int status) { return status >= 200 && status <= 299; }

// Leaves a trace of a failed transfer; a cancel asked for by the program is
// no fault and only shows in debug output.
void report_failure(const QString& url, const TransferResult& result, bool cancelled)
{
    if (cancelled)
        qCDebug(lc_transfer).noquote() << "transfer of" << url << "ended:" << result.error;
    else
        qCWarning(lc_transfer).noquote() << "transfer of" << url << "failed:" << result.error;
}

}  // namespace

Transfer::Transfer(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this))
{
    // A proxy from the environment must never stand between the program and
    // its sites (the local site in particular).
    manager_->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

Transfer::~Transfer()
{
    // A get() still waiting further up the stack sees the abort and returns
    // a failure without touching this object again.
    cancel();
}

void Transfer::set_request_timeout(int seconds)
{
    // The timer counts milliseconds in an int.
    timeout_seconds_ = std::clamp(seconds, 1, 2'000'000);
}

TransferResult Transfer::get(const QString& url)
{
    TransferResult result;
    if (reply_) {
        result.error = QStringLiteral("a request is already under way");
        report_failure(url, result, false);
        return result;
    }
    const QUrl target(url, QUrl::StrictMode);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || target.host().isEmpty()) {
        result.error = QStringLiteral("invalid URL");
        report_failure(url, result, false);
        return result;
    }

    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // Asked for as the server holds it, uncompressed: a report file is a few
    // hundred bytes, and compressing each costs the server more time than
    // sending it.
    request.setRawHeader("Accept-Encoding", "identity");

    cancelled_ = false;
    QPointer<Transfer> self(this);
    QPointer<QNetworkReply> reply(manager_->get(request));
    reply_ = reply;

    bool finished = false;
    bool timed_out = false;
    QObject scope;
    connect(reply, &QNetworkReply::finished, &scope, [&] { finished = true; });
    // Should the reply be destroyed without finishing (its manager went away
    // with this object), the guard ends the wait.
    const WaitEnd end = wait_until([&] { return finished || reply->isFinished(); },
                                   [&] { return self && reply; }, timeout_seconds_ * 1000);
    if (end == WaitEnd::Limit && reply && !reply->isFinished()) {
        timed_out = true;
        reply->abort();
    }

    if (!self || !reply) {
        // The transfer object went away while its request was waiting.
        result.error = QStringLiteral("transfer ended");
        report_failure(url, result, true);
        return result;
    }
    reply_ = nullptr;

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (timed_out) {
        result.error = QStringLiteral("request timed out after %1 s").arg(timeout_seconds_);
    } else if (cancelled_) {
        result.error = QStringLiteral("request cancelled");
    } else if (!status.isValid() || !is_http_level_error(reply->error())) {
        result.error = reply->errorString();
        if (result.error.isEmpty())
            result.error = QStringLiteral("no reply");
    } else {
        result.status = status.toInt();
        result.body = reply->readAll();
        result.ok = is_success_status(result.status);
        if (!result.ok) {
            result.error = QStringLiteral("HTTP status %1").arg(result.status);
            const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            if (!reason.isEmpty())
                result.error += u' ' + reason;
        }
    }
    if (!result.ok)
        report_failure(url, result, cancelled_ && !timed_out);
    cancelled_ = false;
    reply->deleteLater();
    return result;
}

QString Transfer::open_text(const QString& url, bool* ok)
{
    const TransferResult result = get(url);
    if (ok)
        *ok = result.ok;
    return result.ok ? decode_text(result.body) : QString();
}

QByteArray Transfer::open_bytes(const QString& url, bool* ok)
{
    TransferResult result = get(url);
    if (ok)
        *ok = result.ok;
    return result.ok ? std::move(result.body) : QByteArray();
}

void Transfer::cancel()
{
    if (!reply_)
        return;
    cancelled_ = true;
    reply_->abort();
}

QString decode_text(const QByteArray& bytes)
{
    // Stateless: a multi-byte sequence cut off at the end counts as invalid.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

}  // namespace platform
