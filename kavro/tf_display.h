#pragma once
// The datasheet viewer: one station's datasheet in a read-only memo.
#include <QMainWindow>

class QPlainTextEdit;

class TFDisplay : public QMainWindow {
    Q_OBJECT
public:
    explicit TFDisplay(QWidget* parent = nullptr);
    ~TFDisplay() override;

    QPlainTextEdit* DsDisplay = nullptr;
};

extern TFDisplay* FDisplay;
