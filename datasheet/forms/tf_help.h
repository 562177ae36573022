#pragma once
// The help window: topic lists by context, the help text memo.
#include <QWidget>

class TFHelp : public QWidget {
    Q_OBJECT
public:
    explicit TFHelp(QWidget* parent = nullptr);
    ~TFHelp() override;

    // Chooses the topic list the next showing offers (1 main window, 3 station list, ...).
    void SetHelpContext(int context) { HelpContext = context; }
    int GetHelpContext() const { return HelpContext; }

private:
    int HelpContext = 0;
};

extern TFHelp* FHelp;
