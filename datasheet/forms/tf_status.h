#pragma once
// The progress window: "Please Wait..." over a 0-100 bar. A long operation
// opens it, moves the bar and closes it (ProgressSink); the hourglass shows
// while it is up. Use ProgressWindow, which closes it on every way out.
#include "platform/progress.h"

#include <QCursor>
#include <QDialog>

class QLabel;
class QProgressBar;

class TFStatus : public QDialog, public platform::ProgressSink {
    Q_OBJECT
public:
    // withMessage: the Morvane and Pellorin layout, with the label `Message`
    // above and the window sized to its contents.
    explicit TFStatus(QWidget* owner, bool withMessage = false);
    ~TFStatus() override;

    void start() override;
    void set(int percent) override;
    void finish() override;
    bool finished() const { return finished_; }

    void ChangeCursor();
    void ResetCursor();

    QLabel* Message = nullptr; // only with withMessage
    QLabel* IoStatus;
    QProgressBar* ProgressBar1;
    // The cursor showing before the hourglass; popping the hourglass brings it back.
    QCursor SaveCursor;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool cursorChanged_ = false;
    bool finished_ = false;
};

extern TFStatus* FStatus;

// One operation's progress window: created owned by `owner`, made FStatus
// and started; finished (unless the operation finished it) and deleted when
// the operation's scope ends, by return or by exception.
class ProgressWindow {
public:
    explicit ProgressWindow(QWidget* owner, bool withMessage = false);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    platform::ProgressSink& sink() { return *status_; }
    TFStatus& window() { return *status_; }

private:
    TFStatus* status_;
};
