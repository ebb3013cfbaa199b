// Synchronous HTTP transfers: open a URL as text or bytes and wait, letting
// window events run, until the reply is complete, the request time-out
// passes or cancel() is called. Only a complete reply with a 2xx status is a
// success; a failure (no connection, time-out, cancel, any other HTTP
// status, a body over the size limit) is reported apart from an empty body
// and leaves a warning in the kolde.transfer category.
//
// No body is read beyond the transfer's size limit: a longer answer is
// broken off there, and its first part is handed back as cut off.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform {

// The size limit of a body unless the caller sets its own: far above any
// file the program fetches (the database is a few megabytes).
inline constexpr qint64 default_body_limit = qint64(64) << 20;

struct TransferResult {
    bool ok = false;       // a complete HTTP reply with a 2xx status arrived
    int status = 0;        // HTTP status code, 0 when no reply arrived
    QByteArray body;       // as the server sent it, also with an error status
    QString error;         // why it failed, empty when ok
    // The body was longer than the size limit: body holds its first
    // body_limit() bytes, the rest was never read.
    bool cut_off = false;
    // No HTTP answer came at all: the connection was refused or broke off,
    // the host could not be reached, or the time-out passed. Not set for a
    // cancel or an address that is no URL.
    bool no_connection = false;
};

bool is_success_status(int status);

class Transfer : public QObject {
    Q_OBJECT
public:
    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    // Whole-request time-out in seconds (default 60).
    void set_request_timeout(int seconds);
    int request_timeout() const { return timeout_seconds_; }
    // The most bytes of a body that are read (default default_body_limit).
    void set_body_limit(qint64 bytes);
    qint64 body_limit() const { return body_limit_; }

    // Fetches url and waits; each call is its own request.
    [[nodiscard]] TransferResult get(const QString& url);
    // The body as text (UTF-8 when valid, else Latin-1); empty on failure.
    [[nodiscard]] QString open_text(const QString& url, bool* ok = nullptr);
    [[nodiscard]] QByteArray open_bytes(const QString& url, bool* ok = nullptr);

    // Ends the request under way, if any; its get() returns a failure.
    void cancel();
    bool still_executing() const { return reply_ != nullptr; }

private:
    QNetworkAccessManager* manager_ = nullptr;
    QNetworkReply* reply_ = nullptr;
    int timeout_seconds_ = 60;
    qint64 body_limit_ = default_body_limit;
    bool cancelled_ = false;
};

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
QString decode_text(const QByteArray& bytes);

}  // namespace platform
