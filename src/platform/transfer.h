// Synchronous HTTP transfers: open a URL as text or bytes and wait, letting
// window events run, until the reply is complete, the request time-out
// passes or cancel() is called. Only a complete reply with a 2xx status is a
// success; a failure (no connection, time-out, cancel, any other HTTP
// status) is reported apart from an empty body and leaves a warning in the
// kolde.transfer category.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform {

struct TransferResult {
    bool ok = false;       // a complete HTTP reply with a 2xx status arrived
    int status = 0;        // HTTP status code, 0 when no reply arrived
    QByteArray body;       // as the server sent it, also with an error status
    QString error;         // why it failed, empty when ok
};

class Transfer : public QObject {
    Q_OBJECT
public:
    explicit Transfer(QObject* parent = nullptr);
    ~Transfer() override;

    // Whole-request time-out in seconds (default 60).
    void set_request_timeout(int seconds);
    int request_timeout() const { return timeout_seconds_; }

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
    bool cancelled_ = false;
};

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
QString decode_text(const QByteArray& bytes);

}  // namespace platform
