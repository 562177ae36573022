#include "kavro/tf_found.h"

#include <QCloseEvent>

TFFound* FFound = nullptr;

TFFound::TFFound(QWidget* parent) : QMainWindow(parent)
{
    FFound = this;
    setWindowTitle("SEARCH RESULTS");
    FoundList = new platform::LineListView(this);
    setCentralWidget(FoundList);
}

TFFound::~TFFound()
{
    if (FFound == this)
        FFound = nullptr;
}

void TFFound::closeEvent(QCloseEvent* event)
{
    event->accept();
}

void TFFound::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
}

void TFFound::ResetSearch() {}
void TFFound::FoundInit() {}
void TFFound::SetPanel() {}
void TFFound::PidClicked() {}
void TFFound::FoundListMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TFFound::TopClicked() {}
void TFFound::Print1Click() {}
void TFFound::PrintSetup1Click() {}
void TFFound::SetItems() {}
void TFFound::SortList(QObject*) {}
void TFFound::Remove1Click() {}
void TFFound::Clear1Click() {}
void TFFound::Plot1Click() {}
void TFFound::Help1Click() {}
