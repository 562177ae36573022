#include "datasheet/forms/tf_status.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::optional<Qt::CursorShape> overrideShape()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? std::optional<Qt::CursorShape>(cursor->shape()) : std::nullopt;
}

// Watches every progress window the application shows and hides.
class StatusProbe : public QObject {
public:
    StatusProbe() { qApp->installEventFilter(this); }
    ~StatusProbe() override { qApp->removeEventFilter(this); }

    struct Sight {
        int bar;
        bool ioStatusVisible;
        std::optional<Qt::CursorShape> cursor;
    };
    std::vector<Sight> shown, hidden;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* status = qobject_cast<TFStatus*>(object);
        if (status && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
            // The bar as the window appears (after the show) or just before it goes.
            Sight sight{status->ProgressBar1->value(), status->IoStatus->isVisibleTo(status), overrideShape()};
            (event->type() == QEvent::Show ? shown : hidden).push_back(sight);
        }
        return false;
    }
};

class ProgressWindowTest : public testing::Test {
protected:
    QWidget owner;
    StatusProbe probe;
};

} // namespace

TEST_F(ProgressWindowTest, BarGoesFromZeroToHundredUnderTheHourglass)
{
    {
        ProgressWindow progress(&owner);
        ASSERT_EQ(FStatus, &progress.window());
        EXPECT_EQ(progress.window().parentWidget(), &owner);
        EXPECT_TRUE(progress.window().isVisible());
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        progress.sink().set(37);
        EXPECT_EQ(progress.window().ProgressBar1->value(), 37);
        progress.sink().set(140);
        EXPECT_EQ(progress.window().ProgressBar1->value(), 100);
    }
    EXPECT_EQ(FStatus, nullptr);
    EXPECT_EQ(overrideShape(), std::nullopt);
    ASSERT_EQ(probe.shown.size(), 1u);
    EXPECT_EQ(probe.shown[0].bar, 0);
    EXPECT_TRUE(probe.shown[0].ioStatusVisible);
    ASSERT_EQ(probe.hidden.size(), 1u);
    EXPECT_EQ(probe.hidden[0].bar, 100);
}

TEST_F(ProgressWindowTest, TheCursorBeforeComesBack)
{
    QApplication::setOverrideCursor(Qt::CrossCursor);
    {
        ProgressWindow progress(&owner);
        progress.sink().finish(); // the operation finishes it itself
        EXPECT_FALSE(progress.window().isVisible());
        EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    }
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    EXPECT_EQ(probe.hidden.size(), 1u);
    QApplication::restoreOverrideCursor();
}

TEST_F(ProgressWindowTest, AnExceptionClosesTheWindow)
{
    try {
        ProgressWindow progress(&owner);
        progress.sink().set(50);
        throw std::runtime_error("read error");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(FStatus, nullptr);
    EXPECT_EQ(overrideShape(), std::nullopt);
    ASSERT_EQ(probe.hidden.size(), 1u);
    EXPECT_EQ(probe.hidden[0].bar, 100);
}

TEST(TFStatus, RepeatedActivationDoesNotKeepTheHourglass)
{
    TFStatus status(nullptr);
    status.start();
    status.ChangeCursor(); // activated again while up
    status.ChangeCursor();
    status.finish();
    EXPECT_EQ(overrideShape(), std::nullopt);

    // Hidden another way than by finish (Escape rejects a dialog).
    status.start();
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    status.reject();
    EXPECT_EQ(overrideShape(), std::nullopt);
}

TEST(TFStatus, Layouts)
{
    TFStatus kavro(nullptr);
    EXPECT_EQ(kavro.windowTitle(), "Status");
    EXPECT_EQ(kavro.size(), QSize(355, 124));
    EXPECT_EQ(kavro.IoStatus->text(), "Please Wait...");
    EXPECT_EQ(kavro.IoStatus->font().pixelSize(), 16);
    EXPECT_TRUE(kavro.IoStatus->font().bold());
    EXPECT_EQ(kavro.ProgressBar1->minimum(), 0);
    EXPECT_EQ(kavro.ProgressBar1->maximum(), 100);
    EXPECT_EQ(kavro.Message, nullptr);

    TFStatus withMessage(nullptr, true);
    ASSERT_NE(withMessage.Message, nullptr);
    EXPECT_EQ(withMessage.Message->text(), "");
    EXPECT_EQ(withMessage.Message->font().pixelSize(), 13);
    withMessage.start();
    withMessage.Message->setText(QString(120, 'M'));
    withMessage.adjustSize();
    EXPECT_GE(withMessage.width(), withMessage.Message->sizeHint().width());
    EXPECT_LT(withMessage.Message->geometry().top(), withMessage.IoStatus->geometry().top());
    withMessage.finish();
}
