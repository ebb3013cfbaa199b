#include "platform/wait.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

using platform::WaitEnd;
using platform::wait_until;

namespace {

// What happens while the wait runs, scheduled on the event loop.
enum class During { Nothing, SetFlag, DeleteLater, DeleteNow, SetFlagAndDelete };

struct WaitCase {
    const char* name;
    bool flag_before;
    bool guarded_alive_before;
    During during;
    int limit_ms;
    WaitEnd expected;
};

TEST(WaitUntil, EndsWithTheConditionTheGuardOrTheLimit)
{
    kolde_test::ensure_app();
    const WaitCase cases[] = {
        {"already true", true, true, During::Nothing, 10000, WaitEnd::Condition},
        {"guard checked first", true, false, During::Nothing, 10000, WaitEnd::Guard},
        {"true later", false, true, During::SetFlag, 60000, WaitEnd::Condition},
        {"true later, no limit", false, true, During::SetFlag, -1, WaitEnd::Condition},
        {"deleted later", false, true, During::DeleteLater, 60000, WaitEnd::Guard},
        {"deleted at once", false, true, During::DeleteNow, -1, WaitEnd::Guard},
        {"guard wins a tie", false, true, During::SetFlagAndDelete, -1, WaitEnd::Guard},
        {"nothing comes", false, true, During::Nothing, 20, WaitEnd::Limit},
        {"no time at all", false, true, During::Nothing, 0, WaitEnd::Limit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool flag = c.flag_before;
        auto* guarded = new QObject;
        QPointer<QObject> alive(guarded);
        if (!c.guarded_alive_before)
            delete guarded;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            switch (c.during) {
            case During::Nothing: break;
            case During::SetFlag: flag = true; break;
            case During::DeleteLater: alive->deleteLater(); break;
            case During::DeleteNow: delete alive.data(); break;
            case During::SetFlagAndDelete:
                flag = true;
                delete alive.data();
                break;
            }
        });
        const WaitEnd end = wait_until([&] { return flag; }, [&] { return !alive.isNull(); }, c.limit_ms);
        EXPECT_EQ(end, c.expected);
        delete alive.data();
    }
}

}  // namespace

namespace {

// A modal dialog ends by its own answer, or with its parent; either way it is
// destroyed exactly once and `read` sees it only while it exists.
TEST(ExecModal, GivesTheResultOrNothingWhenTheParentWent)
{
    kolde_test::ensure_app();
    for (const bool parent_goes : {false, true}) {
        SCOPED_TRACE(parent_goes ? "parent destroyed" : "accepted");
        auto* parent = new QWidget;
        QPointer<QWidget> parent_alive(parent);
        auto* dialog = new QDialog(parent);
        QPointer<QDialog> dialog_alive(dialog);
        QTimer::singleShot(0, dialog, [&] {
            if (parent_goes)
                delete parent;
            else
                dialog->accept();
        });
        bool read = false;
        const auto result = platform::exec_modal(dialog, [&](int) { read = dialog_alive; });
        EXPECT_TRUE(dialog_alive.isNull());
        if (parent_goes) {
            EXPECT_FALSE(result.has_value());
            EXPECT_FALSE(read);
        } else {
            EXPECT_EQ(result, std::optional<int>(QDialog::Accepted));
            EXPECT_TRUE(read);
        }
        delete parent_alive.data();
    }
}

}  // namespace
