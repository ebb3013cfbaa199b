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
#include <limits>

namespace platform {

namespace {

// The most a read of a reply's body takes at once.
constexpr qint64 read_piece = 64 * 1024;

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

// Leaves a trace of a failed transfer; a cancel asked for by the program is
// no fault and only shows in debug output.
void report_failure(const QString& url, const TransferResult& result, bool cancelled)
{
    if (cancelled)
        qCDebug(lc_transfer).noquote() << "transfer of" << url << "ended:" << result.error;
    else
        qCWarning(lc_transfer).noquote() << "transfer of" << url << "failed:" << result.error;
}

QNetworkRequest network_request(const QUrl& target)
{
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // Asked for as the server holds it, uncompressed: a report file is a few
    // hundred bytes, and compressing each costs the server more time than
    // sending it.
    request.setRawHeader("Accept-Encoding", "identity");
    return request;
}

// How a request ended, as the wait saw it.
struct Ending {
    bool timed_out = false;
    bool cancelled = false;
    bool cut_off = false;
};

// The result of a finished reply whose body so far is body.
TransferResult reply_result(QNetworkReply& reply, QByteArray body, const Ending& end, int timeout_seconds)
{
    TransferResult result;
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (end.cut_off) {
        result.status = status.toInt();
        result.body = std::move(body);
        result.cut_off = true;
        result.error = QStringLiteral("body longer than %1 bytes").arg(result.body.size());
    } else if (end.timed_out) {
        result.error = QStringLiteral("request timed out after %1 s").arg(timeout_seconds);
        result.no_connection = true;
    } else if (end.cancelled) {
        result.error = QStringLiteral("request cancelled");
    } else if (!status.isValid() || !is_http_level_error(reply.error())) {
        result.error = reply.errorString();
        if (result.error.isEmpty())
            result.error = QStringLiteral("no reply");
        result.no_connection = true;
    } else {
        result.status = status.toInt();
        result.body = std::move(body);
        result.ok = is_success_status(result.status);
        if (!result.ok) {
            result.error = QStringLiteral("HTTP status %1").arg(result.status);
            const QString reason = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            if (!reason.isEmpty())
                result.error += u' ' + reason;
        }
    }
    return result;
}

}  // namespace

bool is_success_status(int status) { return status >= 200 && status <= 299; }

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

void Transfer::set_body_limit(qint64 bytes)
{
    // One byte more than the limit is buffered to tell a longer body.
    body_limit_ = std::clamp<qint64>(bytes, 0, std::numeric_limits<qint64>::max() - 1);
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

    cancelled_ = false;
    QPointer<Transfer> self(this);
    QPointer<QNetworkReply> reply(manager_->get(network_request(target)));
    reply_ = reply;
    // The network stops reading once this much waits unread, so a body over
    // the limit never fills the memory.
    const qint64 limit = body_limit_;
    reply->setReadBufferSize(limit + 1);

    bool finished = false;
    Ending ending;
    QByteArray body;
    // Reads what has come, up to one byte past the limit; true once the
    // body is known to be longer than the limit (it is then cut there). It
    // reads in pieces of what is there: a read makes room for as much as it
    // asks for, and the limit may be large.
    const auto read_over_limit = [&] {
        for (qint64 want; (want = std::min({reply->bytesAvailable(), limit + 1 - body.size(), read_piece})) > 0;) {
            const QByteArray piece = reply->read(want);
            if (piece.isEmpty())
                break;
            body += piece;
        }
        if (body.size() > limit) {
            body.truncate(limit);
            ending.cut_off = true;
        }
        return ending.cut_off;
    };
    QObject scope;
    connect(reply, &QNetworkReply::finished, &scope, [&] { finished = true; });
    connect(reply, &QNetworkReply::readyRead, &scope, [&] {
        if (!ending.cut_off && read_over_limit())
            reply->abort();
    });
    // Should the reply be destroyed without finishing (its manager went away
    // with this object), the guard ends the wait.
    const WaitEnd end = wait_until([&] { return finished || reply->isFinished(); },
                                   [&] { return self && reply; }, timeout_seconds_ * 1000);
    if (end == WaitEnd::Limit && reply && !reply->isFinished()) {
        ending.timed_out = true;
        reply->abort();
    }

    if (!self || !reply) {
        // The transfer object went away while its request was waiting.
        result.error = QStringLiteral("transfer ended");
        report_failure(url, result, true);
        return result;
    }
    reply_ = nullptr;

    // What came last; nothing of a reply that was aborted.
    if (!ending.cut_off && reply->isOpen())
        read_over_limit();
    ending.cancelled = cancelled_;
    result = reply_result(*reply, std::move(body), ending, timeout_seconds_);
    if (!result.ok)
        report_failure(url, result, ending.cancelled && !ending.timed_out && !ending.cut_off);
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
