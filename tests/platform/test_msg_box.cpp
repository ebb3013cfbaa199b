#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <optional>

using platform::MsgAnswer;
using platform::MsgBoxCall;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

// Keeps KOLDE_MSGBOX_AUTO and the answerer as each test found them.
class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        if (qEnvironmentVariableIsSet("KOLDE_MSGBOX_AUTO"))
            saved_auto_ = qgetenv("KOLDE_MSGBOX_AUTO");
        platform::set_msg_box_answerer({});
    }
    void TearDown() override
    {
        platform::set_msg_box_answerer({});
        if (saved_auto_)
            qputenv("KOLDE_MSGBOX_AUTO", *saved_auto_);
        else
            qunsetenv("KOLDE_MSGBOX_AUTO");
    }

    // The answer and what went to standard error.
    std::pair<MsgAnswer, std::string> ask(const char* mode, MsgButtons buttons,
                                          const QString& text = QStringLiteral("本文"))
    {
        qputenv("KOLDE_MSGBOX_AUTO", mode);
        testing::internal::CaptureStderr();
        const MsgAnswer answer =
            platform::msg_box(nullptr, MsgIcon::Question, QStringLiteral("題名"), text, buttons);
        return {answer, testing::internal::GetCapturedStderr()};
    }

    std::optional<QByteArray> saved_auto_;
};

}  // namespace

TEST_F(MsgBoxTest, AnswererSeesTheCallAndWinsOverEnvironment)
{
    qputenv("KOLDE_MSGBOX_AUTO", "no");
    MsgBoxCall seen;
    int calls = 0;
    platform::set_msg_box_answerer([&](const MsgBoxCall& call) {
        seen = call;
        ++calls;
        return MsgAnswer::Yes;
    });
    testing::internal::CaptureStderr();
    const MsgAnswer answer = platform::msg_box(nullptr, MsgIcon::Warning, QStringLiteral("KOLDE"),
                                               QStringLiteral("終了しますか？\n本当に"),
                                               MsgButtons::YesNoCancel);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, MsgAnswer::Yes);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen.icon, MsgIcon::Warning);
    EXPECT_EQ(seen.title, "KOLDE");
    EXPECT_EQ(seen.text, QStringLiteral("終了しますか？\n本当に"));  // untouched for the answerer
    EXPECT_EQ(seen.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(err.find("MSGBOX"), std::string::npos);

    // Removing the answerer hands over to the environment again.
    platform::set_msg_box_answerer({});
    EXPECT_EQ(ask("no", MsgButtons::YesNo).first, MsgAnswer::No);
    EXPECT_EQ(calls, 1);
}

TEST_F(MsgBoxTest, AutoAnswersTakeTheRightButton)
{
    struct Case {
        const char* mode;
        MsgButtons buttons;
        MsgAnswer expected;
    };
    const Case cases[] = {
        {"ok", MsgButtons::Ok, MsgAnswer::Ok},
        {"ok", MsgButtons::OkCancel, MsgAnswer::Ok},
        {"ok", MsgButtons::YesNo, MsgAnswer::Yes},
        {"yes", MsgButtons::OkCancel, MsgAnswer::Ok},
        {"yes", MsgButtons::YesNo, MsgAnswer::Yes},
        {"yes", MsgButtons::YesNoCancel, MsgAnswer::Yes},
        {"no", MsgButtons::Ok, MsgAnswer::Ok},
        {"no", MsgButtons::OkCancel, MsgAnswer::Cancel},
        {"no", MsgButtons::YesNo, MsgAnswer::No},
        {"no", MsgButtons::YesNoCancel, MsgAnswer::No},
    };
    for (const Case& c : cases) {
        const auto [answer, err] = ask(c.mode, c.buttons);
        EXPECT_EQ(answer, c.expected) << c.mode << " buttons " << static_cast<int>(c.buttons);
        EXPECT_EQ(err, "MSGBOX|題名|本文\n") << c.mode;
    }
}

TEST_F(MsgBoxTest, StderrLineIsOneLinePerBox)
{
    const auto [answer, err] =
        ask("ok", MsgButtons::Ok, QStringLiteral("一行目\r\n二行目\n三行目\r四|五"));
    EXPECT_EQ(answer, MsgAnswer::Ok);
    EXPECT_EQ(err, "MSGBOX|題名|一行目\\n二行目\\n三行目\\n四|五\n");
}

// The box's parent goes away while the box waits for an answer: the box goes
// with it, once, and the answer is the negative one.
TEST_F(MsgBoxTest, ParentDestroyedWhileTheBoxIsOpen)
{
    qunsetenv("KOLDE_MSGBOX_AUTO");
    auto* parent = new QWidget;
    QTimer::singleShot(0, parent, [parent] { delete parent; });
    EXPECT_EQ(platform::msg_box(parent, MsgIcon::Question, QStringLiteral("題名"), QStringLiteral("本文"),
                                MsgButtons::YesNo),
              MsgAnswer::No);
}
