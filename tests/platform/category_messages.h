// Collects the warnings of one logging category while it lives (one at a
// time: it takes over the process's message handler).
#pragma once

#include <QStringList>
#include <QtGlobal>

#include <string>

namespace kolde_test {

class CategoryWarnings {
public:
    explicit CategoryWarnings(const char* category)
    {
        category_ = category;
        messages_.clear();
        previous_ = qInstallMessageHandler(&CategoryWarnings::handle);
    }
    ~CategoryWarnings() { qInstallMessageHandler(previous_); }
    CategoryWarnings(const CategoryWarnings&) = delete;
    CategoryWarnings& operator=(const CategoryWarnings&) = delete;

    const QStringList& messages() const { return messages_; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && context.category != nullptr && category_ == context.category)
            messages_ << text;
    }
    static inline std::string category_;
    static inline QStringList messages_;
    QtMessageHandler previous_ = nullptr;
};

}  // namespace kolde_test
