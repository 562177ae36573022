#include "platform/qt/form_parts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/line_list_view.h"

namespace platform {

namespace {

// Delivers a key press to the view itself, then runs the handler when the
// selected row changed.
class KeySelectionFilter : public QObject {
public:
    KeySelectionFilter(QAbstractItemView& view, std::function<void()> handler)
        : QObject(&view), view_(view), handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &view_ || event->type() != QEvent::KeyPress || delivering_)
            return false;
        // Only the keys that move the selection; every other key (Enter,
        // Escape, Tab) takes its usual way, to the dialog's buttons.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!isMoveKey(key->key()) && !typed)
            return false;
        const QPersistentModelIndex before = selectedIndex();
        // With nothing selected yet the first move selects the row the
        // caret is on (the first one), as a list box does.
        const QModelIndex current = view_.currentIndex();
        if (!before.isValid() && current.isValid() && isMoveKey(key->key())) {
            view_.selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
            done();
            return true;
        }
        delivering_ = true;
        static_cast<QObject&>(view_).event(event);
        delivering_ = false;
        const QModelIndex after = selectedIndex();
        if (after.isValid() && after != before)
            done();
        return true;
    }

private:
    static bool isMoveKey(int key)
    {
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End ||
               key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    }
    void done()
    {
        handler_();
        view_.window()->activateWindow();
        view_.setFocus(Qt::OtherFocusReason);
    }
    QModelIndex selectedIndex() const { return view_.selectionModel()->selectedIndexes().value(0); }

    QAbstractItemView& view_;
    std::function<void()> handler_;
    bool delivering_ = false;
};

} // namespace

void runOnKeySelection(QAbstractItemView& view, std::function<void()> handler)
{
    view.installEventFilter(new KeySelectionFilter(view, std::move(handler)));
}

void keepOneSelection(QAbstractItemView& view)
{
    QItemSelectionModel* selection = view.selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, &view,
                     [&view, selection](const QItemSelection&, const QItemSelection& deselected) {
                         if (selection->hasSelection() || deselected.isEmpty())
                             return;
                         const QModelIndex current = view.currentIndex();
                         const QModelIndex keep = current.isValid() ? current : deselected.indexes().value(0);
                         if (keep.isValid())
                             selection->select(keep, QItemSelectionModel::Select);
                     });
}

ListWindowControls makeListWindowControls(QMainWindow& window, const QString& prompt, int windowWidth,
                                          ListWindowHandlers handlers,
                                          const std::function<void(QWidget& central, QBoxLayout& column)>& above)
{
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (above)
        above(*central, *layout);

    ListWindowControls controls;
    LineListView* list = controls.List = new LineListView(central);
    list->setFixedFont(true);
    QFont listFont = list->font();
    listFont.setPixelSize(11);
    list->setFont(listFont);
    list->hide();
    layout->addWidget(list, 1);
    // A click always leaves its line selected, as in a list box; a Ctrl-click
    // would otherwise deselect it before the handler reads it.
    QObject::connect(list, &LineListView::itemClicked, &window, [list, clicked = handlers.clicked](int row) {
        list->setSelectedRow(row);
        clicked();
    });
    runOnKeySelection(*list, std::move(handlers.clicked));
    QObject::connect(list, &LineListView::mouseReleased, &window,
                     [mouseUp = std::move(handlers.mouseUp)](Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                                             QPoint position) {
                         mouseUp(button, modifiers, position.x(), position.y());
                     });

    controls.Strip = makeStatusStrip(central, prompt, windowWidth);
    QObject::connect(controls.Strip.CheckBox, &QCheckBox::toggled, &window, std::move(handlers.topClicked));
    layout->addWidget(controls.Strip.Panel1);
    window.setCentralWidget(central);
    return controls;
}

SearchButtons addSearchButtons(QWidget& dialog, QBoxLayout& layout, std::initializer_list<QLineEdit*> boxes,
                               SearchHandlers handlers)
{
    SearchButtons buttons;
    auto* grid = new QGridLayout;
    buttons.Ok = new QPushButton("OK", &dialog);
    buttons.Ok->setDefault(true);
    buttons.Sample = new QPushButton("SAMPLE", &dialog);
    buttons.Clear = new QPushButton("CLEAR", &dialog);
    buttons.Cancel = new QPushButton("CANCEL", &dialog);
    grid->addWidget(buttons.Ok, 0, 0);
    grid->addWidget(buttons.Sample, 0, 1);
    grid->addWidget(buttons.Clear, 1, 0);
    grid->addWidget(buttons.Cancel, 1, 1);
    layout.addLayout(grid);

    QObject::connect(buttons.Ok, &QPushButton::clicked, &dialog, handlers.ok);
    for (QLineEdit* box : boxes)
        QObject::connect(box, &QLineEdit::returnPressed, &dialog, handlers.ok);
    QObject::connect(buttons.Sample, &QPushButton::clicked, &dialog, std::move(handlers.sample));
    QObject::connect(buttons.Clear, &QPushButton::clicked, &dialog, std::move(handlers.clear));
    QObject::connect(buttons.Cancel, &QPushButton::clicked, &dialog, std::move(handlers.cancel));
    return buttons;
}

QLabel* newProgramTitle(const QString& name, QWidget* parent)
{
    auto* title = new QLabel(name, parent);
    QFont font = title->font();
    font.setPixelSize(96);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    return title;
}

QLabel* newRaisedPanel(const QString& text, QWidget* parent)
{
    auto* panel = new QLabel(text, parent);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

QCheckBox* addStayOnTopBox(QWidget& parent, QBoxLayout& layout, std::function<void()> topClicked)
{
    auto* box = new QCheckBox("Stay On Top", &parent);
    layout.addWidget(box);
    QObject::connect(box, &QCheckBox::toggled, &parent, std::move(topClicked));
    return box;
}

StayOnTopPanel addStayOnTopPanel(QWidget& dialog, QBoxLayout& layout, std::function<void()> topClicked)
{
    StayOnTopPanel panel;
    panel.Panel1 = new QFrame(&dialog);
    panel.Panel1->setFrameShape(QFrame::Panel);
    panel.Panel1->setFrameShadow(QFrame::Raised);
    auto* panelLayout = new QHBoxLayout(panel.Panel1);
    panelLayout->setContentsMargins(4, 2, 4, 2);
    panel.CheckBox = addStayOnTopBox(*panel.Panel1, *panelLayout, std::move(topClicked));
    // A bottom strip: it never takes the height of controls that are hidden.
    panel.Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout.addWidget(panel.Panel1);
    return panel;
}

} // namespace platform
