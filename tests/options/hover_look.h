// The hover look of a shown window's button, driven by real mouse moves.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace kolde_test {

// Moves over `background` (a point of `window` where no control lies), then
// twice over the button, then back: the button's face turns grey under the
// pointer and plain again on the background. The second move within the
// button is one the button hands on to its window; it must not undo the grey.
inline void expect_hover_look(QWidget* window, QPoint background, QAbstractButton* button)
{
    ASSERT_EQ(window->childAt(background), nullptr);
    // The face away from the caption shows the colour the button is painted in.
    const auto face = [button] {
        return button->grab().toImage().pixelColor(button->width() / 10, button->height() / 2);
    };
    QTest::mouseMove(window, background);
    const QColor plain = face();
    ASSERT_GT(plain.value(), 0xD0) << plain.name().toStdString();
    for (const QPoint& p : {button->rect().center(), button->rect().center() + QPoint(3, 1)}) {
        QTest::mouseMove(button, p);
        const QColor grey = face();
        EXPECT_LT(grey.value(), 0xB0) << grey.name().toStdString();
    }
    QTest::mouseMove(window, background);
    EXPECT_EQ(face(), plain);
}

}  // namespace kolde_test
