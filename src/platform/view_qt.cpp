// Qt view of the control store: one widget tree per panel, kept in step with the store
// on the UI thread. Worker-thread changes arrive as queued calls on one receiver, so
// they reach the screen in the order they were made.
#include "platform/picture.h"
#include "platform/store.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace platform {
namespace {

QColor toQColor(int rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QString qs(const std::string &text) { return QString::fromStdString(text); }

// "__QUIT" -> "&QUIT": the marker makes the next letter the keyboard shortcut.
QString buttonText(const std::string &stored) {
    QString text = qs(stored);
    text.replace("&", "&&");
    int pos = text.indexOf("__");
    if (pos >= 0)
        text.replace(pos, 2, "&");
    return text;
}

class LedWidget : public QWidget {
  public:
    explicit LedWidget(QWidget *parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    void setState(bool lit, int onColor, int offColor) {
        lit_ = lit;
        on_ = toQColor(onColor);
        off_ = toQColor(offColor);
        update();
    }
    bool lit() const { return lit_; }
    QSize sizeHint() const override { return QSize(20, 20); }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        QColor fill = lit_ ? on_ : off_;
        QRadialGradient gradient(r.center() - QPointF(r.width() / 5, r.height() / 5),
                                 r.width() * 0.7);
        gradient.setColorAt(0, fill.lighter(150));
        gradient.setColorAt(1, fill);
        painter.setBrush(gradient);
        painter.setPen(QPen(QColor(70, 70, 70), 1.2));
        painter.drawEllipse(r);
    }

  private:
    bool lit_ = false;
    QColor on_ = Qt::green;
    QColor off_ = Qt::gray;
};

// Two-position switch: the off-text and on-text side by side, the active one pressed.
class SwitchWidget : public QWidget {
  public:
    SwitchWidget(QWidget *parent, const std::string &offText, const std::string &onText)
        : QWidget(parent) {
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        off_ = makeButton(offText);
        on_ = makeButton(onText);
        layout->addWidget(off_);
        layout->addWidget(on_);
        off_->setChecked(true);
        // The position in force stands out; the other reads as the one to choose.
        setStyleSheet("QToolButton { padding: 2px 8px; }"
                      "QToolButton:checked { background: #2f6fd0; color: white; "
                      "border: 1px solid #24559f; border-radius: 2px; }");
        connect(off_, &QToolButton::clicked, this, [this] { choose(0); });
        connect(on_, &QToolButton::clicked, this, [this] { choose(1); });
    }
    void setValue(int value) {
        on_->setChecked(value != 0);
        off_->setChecked(value == 0);
    }
    int value() const { return on_->isChecked() ? 1 : 0; }
    std::function<void(int)> onUserChange;

  private:
    QToolButton *makeButton(const std::string &text) {
        auto *button = new QToolButton(this);
        button->setText(qs(text));
        button->setAccessibleName(qs(text));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(58);
        return button;
    }
    void choose(int value) {
        setValue(value);
        if (onUserChange)
            onUserChange(value);
    }
    QToolButton *off_;
    QToolButton *on_;
};

// A numeric box whose width does not follow its (unlimited) range.
class NumericBox : public QDoubleSpinBox {
  public:
    using QDoubleSpinBox::QDoubleSpinBox;
    QSize sizeHint() const override {
        QSize size = QDoubleSpinBox::sizeHint();
        size.setWidth(fontMetrics().horizontalAdvance("-000000.00") + 36);
        return size;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

struct CtrlView {
    CtrlKind kind = CtrlKind::TextMsg;
    unsigned long long seenSeq = 0; // change counter of what the widget shows
    QWidget *widget = nullptr;
    QLabel *label = nullptr;
    QTimer *timer = nullptr;
};

struct PanelView {
    QWidget *root = nullptr;
    bool window = false;
    std::map<int, CtrlView> controls;
};

class QtBackend;
QtBackend *qtBackend = nullptr;

class CloseFilter : public QObject {
  public:
    CloseFilter(QObject *parent, int panel) : QObject(parent), panel_(panel) {}

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close) {
            // The window stays; the panel's own callback decides (hide, or quit).
            event->ignore();
            int panel = panel_;
            QTimer::singleShot(0, qApp, [panel] { FirePanelClose(panel); });
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    int panel_;
};

class QtBackend : public QObject, public ViewBackend {
  public:
    explicit QtBackend(QApplication *ownedApp) : ownedApp_(ownedApp) {}
    ~QtBackend() override {
        qtBackend = nullptr;
        for (auto &[handle, view] : panels_)
            if (view.window && !view.root->parentWidget())
                delete view.root;
        panels_.clear();
        delete ownedApp_;
    }

    void panelLoaded(int panel) override {
        PanelInfo info;
        if (!GetPanelInfo(panel, &info))
            return;
        QWidget *parentRoot = nullptr;
        if (info.parent != 0 && panels_.count(info.parent))
            parentRoot = panels_[info.parent].root;
        auto *root = new QWidget(parentRoot, Qt::Window);
        root->setObjectName(qs(info.name));
        root->setWindowTitle(qs(info.title));
        root->setAccessibleName(qs(info.title));
        root->installEventFilter(new CloseFilter(root, panel));
        if (info.width > 0 && info.height > 0)
            root->resize(info.width, info.height);
        PanelView &view = panels_[panel];
        view.root = root;
        view.window = true;
        buildPanel(panel, info, root);
        if (info.menuBar) {
            auto *bar = new QMenuBar(root);
            bar->setObjectName(qs(info.menuDesc->name));
            for (const auto &item : info.menuDesc->items) {
                QAction *action = bar->addAction(qs(item.text));
                action->setObjectName(qs(item.name));
                action->setEnabled(!item.dimmed);
                int barHandle = info.menuBar;
                int id = item.id;
                connect(action, &QAction::triggered, this,
                        [barHandle, id] { FireMenuItem(barHandle, id); });
            }
            root->layout()->setMenuBar(bar);
        }
        root->setVisible(false);
    }

    void panelDiscarded(int panel) override {
        auto it = panels_.find(panel);
        if (it == panels_.end())
            return;
        QWidget *root = it->second.root;
        for (auto p = panels_.begin(); p != panels_.end();) {
            if (isWithin(p->second.root, root) && p->first != panel)
                p = panels_.erase(p);
            else
                ++p;
        }
        panels_.erase(panel);
        delete root;
    }

    void panelVisibilityChanged(int panel) override {
        auto it = panels_.find(panel);
        if (it == panels_.end() || !it->second.window)
            return;
        QWidget *root = it->second.root;
        if (IsPanelVisible(panel)) {
            root->show();
            if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
                root->raise();
                root->activateWindow();
            }
        } else {
            root->hide();
        }
    }

    void controlUpdated(const ControlUpdate &update) override {
        post([this, update] { applyUpdate(update); });
    }

    void post(std::function<void()> fn) override {
        QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
    }

    int run() override {
        if (quitRequested_) {
            quitRequested_ = false;
            return 0;
        }
        QApplication::exec();
        quitRequested_ = false;
        return 0;
    }

    void quit() override {
        quitRequested_ = true;
        // exit(), not quit(): quit() first asks every window to close, and our windows
        // leave closing to their panels' callbacks.
        QCoreApplication::exit(0);
    }

    void showPopup(const std::string &title, const std::string &message) override {
        QWidget *parent = nullptr;
        for (auto &[handle, view] : panels_)
            if (view.window && !view.root->parentWidget() && view.root->isVisible())
                parent = view.root;
        QMessageBox box(QMessageBox::Warning, qs(title), qs(message), QMessageBox::Ok, parent);
        box.setObjectName("MessagePopup");
        box.exec();
    }

    QWidget *panelRoot(int panel) {
        auto it = panels_.find(panel);
        return it == panels_.end() ? nullptr : it->second.root;
    }

  private:
    static bool isWithin(QObject *object, QObject *ancestor) {
        for (; object; object = object->parent())
            if (object == ancestor)
                return true;
        return false;
    }

    void buildPanel(int panel, const PanelInfo &info, QWidget *root) {
        PanelView &view = panels_[panel];
        for (int id : info.controlIds) {
            ControlState state;
            if (GetControlState(panel, id, &state))
                view.controls[id] = createControl(panel, id, state, root);
        }
        auto *outer = new QVBoxLayout(root);
        std::set<int> placed;
        if (info.layout)
            outer->addLayout(buildLayout(panel, *info.layout, placed));
        // Controls the layout does not name still belong to the panel.
        for (int id : info.controlIds) {
            if (placed.count(id))
                continue;
            CtrlView &ctrl = panels_[panel].controls[id];
            if (ctrl.widget && ctrl.kind != CtrlKind::Timer)
                outer->addWidget(ctrl.widget);
        }
        for (int id : info.controlIds)
            syncControl(panel, id);
    }

    CtrlView createControl(int panel, int id, const ControlState &state, QWidget *root) {
        const CtrlDesc &desc = *state.desc;
        CtrlView view;
        view.kind = desc.kind;
        QString label = qs(desc.label);
        switch (desc.kind) {
        case CtrlKind::Numeric: {
            auto *box = new NumericBox(root);
            box->setDecimals(2);
            double lo = std::isfinite(desc.minValue) ? desc.minValue : -1e15;
            double hi = std::isfinite(desc.maxValue) ? desc.maxValue : 1e15;
            box->setRange(lo, hi);
            box->setSingleStep(1.0);
            box->setAlignment(Qt::AlignRight);
            if (desc.indicator) {
                box->setReadOnly(true);
                box->setButtonSymbols(QAbstractSpinBox::NoButtons);
            }
            connect(box, &QDoubleSpinBox::valueChanged, this,
                    [this, panel, id](double v) { userEdited(panel, id, StoreUserNumber(panel, id, v)); });
            view.widget = box;
            break;
        }
        case CtrlKind::Ring: {
            auto *combo = new QComboBox(root);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            if (desc.indicator) {
                combo->setFocusPolicy(Qt::NoFocus);
                combo->setAttribute(Qt::WA_TransparentForMouseEvents);
            }
            // Programmatic changes run with signals blocked: this is the user's choice.
            connect(combo, &QComboBox::currentIndexChanged, this, [this, panel, id, combo](int index) {
                if (index < 0)
                    return;
                userEdited(panel, id, StoreUserInteger(panel, id, combo->itemData(index).toInt()));
            });
            view.widget = combo;
            break;
        }
        case CtrlKind::BinarySwitch: {
            auto *sw = new SwitchWidget(root, desc.offText, desc.onText);
            sw->onUserChange = [this, panel, id](int v) {
                userEdited(panel, id, StoreUserInteger(panel, id, v));
            };
            view.widget = sw;
            break;
        }
        case CtrlKind::CommandButton: {
            auto *button = new QPushButton(buttonText(desc.label), root);
            label = qs(StripShortcutMarker(desc.label));
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this,
                    [panel, id] { FireCtrlEvent(panel, id, EVENT_COMMIT); });
            view.widget = button;
            break;
        }
        case CtrlKind::TextMsg:
            view.widget = new QLabel(qs(desc.label), root);
            break;
        case CtrlKind::Led:
            view.widget = new LedWidget(root);
            break;
        case CtrlKind::Table: {
            auto *table = new QTableWidget(desc.rows, desc.cols, root);
            table->horizontalHeader()->hide();
            table->verticalHeader()->hide();
            table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
            table->horizontalHeader()->setStretchLastSection(true);
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->setSelectionMode(QAbstractItemView::NoSelection);
            table->setFocusPolicy(Qt::NoFocus);
            table->setShowGrid(true);
            for (int r = 0; r < desc.rows; ++r)
                for (int c = 0; c < desc.cols; ++c)
                    table->setItem(r, c, new QTableWidgetItem());
            view.widget = table;
            break;
        }
        case CtrlKind::Picture: {
            auto *picture = new QLabel(root);
            picture->setPixmap(DrawPicture(desc.picture));
            picture->setAlignment(Qt::AlignCenter);
            view.widget = picture;
            break;
        }
        case CtrlKind::Splitter: {
            auto *line = new QFrame(root);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            view.widget = line;
            break;
        }
        case CtrlKind::Timer: {
            view.timer = new QTimer(root);
            connect(view.timer, &QTimer::timeout, this,
                    [panel, id] { FireCtrlEvent(panel, id, EVENT_TIMER_TICK); });
            break;
        }
        case CtrlKind::Tab: {
            auto *tabs = new QTabWidget(root);
            tabs->setUsesScrollButtons(false); // every page caption stays in sight
            for (size_t i = 0; i < state.pageHandles.size(); ++i) {
                int page = state.pageHandles[i];
                PanelInfo info;
                if (!GetPanelInfo(page, &info))
                    continue;
                auto *pageWidget = new QWidget();
                pageWidget->setObjectName(qs(info.name));
                pageWidget->setAccessibleName(qs(info.title));
                panels_[page].root = pageWidget;
                buildPanel(page, info, pageWidget);
                tabs->addTab(pageWidget, qs(info.title));
            }
            connect(tabs, &QTabWidget::currentChanged, this, [this, panel, id](int index) {
                userEdited(panel, id, StoreUserInteger(panel, id, index));
                FireCtrlEvent(panel, id, EVENT_ACTIVE_TAB_CHANGE);
            });
            view.widget = tabs;
            break;
        }
        }
        if (view.widget) {
            view.widget->setObjectName(qs(desc.name));
            view.widget->setAccessibleName(label);
            bool ownLabel = desc.kind == CtrlKind::Numeric || desc.kind == CtrlKind::Ring ||
                            desc.kind == CtrlKind::BinarySwitch || desc.kind == CtrlKind::Led ||
                            desc.kind == CtrlKind::Table;
            if (ownLabel && !desc.label.empty()) {
                view.label = new QLabel(label, root);
                view.label->setObjectName(qs(desc.name + "_LABEL"));
                view.label->setBuddy(view.widget);
            }
        }
        return view;
    }

    // A control as it stands in a row or column: with its label left of it, or above
    // it for tables.
    void addLabelled(QBoxLayout *box, CtrlView &ctrl, int stretch) {
        if (!ctrl.label) {
            box->addWidget(ctrl.widget, stretch);
            return;
        }
        QBoxLayout *pair;
        if (ctrl.kind == CtrlKind::Table)
            pair = new QVBoxLayout();
        else
            pair = new QHBoxLayout();
        pair->setContentsMargins(0, 0, 0, 0);
        pair->addWidget(ctrl.label);
        pair->addWidget(ctrl.widget, 1);
        box->addLayout(pair, stretch);
    }

    QLayout *buildLayout(int panel, const LayoutItem &item, std::set<int> &placed) {
        PanelView &view = panels_[panel];
        if (item.type == LayoutItem::Type::Form) {
            auto *grid = new QGridLayout();
            grid->setHorizontalSpacing(8);
            grid->setVerticalSpacing(4);
            int row = 0;
            int lastColumn = 1;
            for (const auto &formRow : item.rows) {
                auto field = view.controls.find(formRow.field);
                if (field != view.controls.end() && field->second.widget) {
                    placed.insert(formRow.field);
                    CtrlView &ctrl = field->second;
                    if (ctrl.kind == CtrlKind::TextMsg) {
                        grid->addWidget(ctrl.widget, row, 0);
                    } else {
                        if (ctrl.label)
                            grid->addWidget(ctrl.label, row, 0);
                        // Numbers and switches keep their own width; a ring (long item
                        // texts) spans the unit columns instead of widening the value column.
                        if (ctrl.kind == CtrlKind::Ring && formRow.extras.empty())
                            grid->addWidget(ctrl.widget, row, 1, 1, -1, Qt::AlignLeft);
                        else
                            grid->addWidget(ctrl.widget, row, 1, Qt::AlignLeft);
                    }
                }
                int column = 2;
                for (int extra : formRow.extras) {
                    auto it = view.controls.find(extra);
                    if (extra != 0 && it != view.controls.end() && it->second.widget) {
                        placed.insert(extra);
                        grid->addWidget(it->second.widget, row, column);
                    }
                    ++column;
                }
                lastColumn = std::max(lastColumn, column - 1);
                ++row;
            }
            // Slack goes to an empty column on the right, so units stay by their values.
            grid->setColumnStretch(lastColumn + 1, 1);
            return grid;
        }
        QBoxLayout *box;
        if (item.type == LayoutItem::Type::Row)
            box = new QHBoxLayout();
        else
            box = new QVBoxLayout();
        box->setContentsMargins(0, 0, 0, 0);
        if (item.type == LayoutItem::Type::Control) {
            addChild(panel, box, item, placed);
            return box;
        }
        for (const auto &child : item.children)
            addChild(panel, box, child, placed);
        return box;
    }

    void addChild(int panel, QBoxLayout *box, const LayoutItem &child, std::set<int> &placed) {
        PanelView &view = panels_[panel];
        switch (child.type) {
        case LayoutItem::Type::Stretch:
            box->addStretch(child.stretch);
            break;
        case LayoutItem::Type::Control: {
            auto it = view.controls.find(child.control);
            if (it == view.controls.end() || !it->second.widget)
                break;
            placed.insert(child.control);
            addLabelled(box, it->second, child.stretch);
            break;
        }
        default:
            box->addLayout(buildLayout(panel, child, placed), child.stretch);
            break;
        }
    }

    CtrlView *findView(int panel, int id) {
        auto pv = panels_.find(panel);
        if (pv == panels_.end())
            return nullptr;
        auto cv = pv->second.controls.find(id);
        return cv == pv->second.controls.end() ? nullptr : &cv->second;
    }

    // Updates queued before this edit must not undo it on screen.
    void userEdited(int panel, int id, unsigned long long seq) {
        if (CtrlView *ctrl = findView(panel, id))
            ctrl->seenSeq = std::max(ctrl->seenSeq, seq);
    }

    void applyUpdate(const ControlUpdate &update) {
        CtrlView *ctrl = findView(update.panel, update.control);
        if (!ctrl || update.seq < ctrl->seenSeq)
            return;
        ctrl->seenSeq = update.seq;
        using UK = ControlUpdate::Kind;
        if (update.kind == UK::Resync || !ctrl->widget) {
            syncControl(update.panel, update.control);
            return;
        }
        QSignalBlocker blocker(ctrl->widget);
        switch (update.kind) {
        case UK::Number:
            if (ctrl->kind == CtrlKind::Numeric)
                static_cast<QDoubleSpinBox *>(ctrl->widget)->setValue(update.number);
            break;
        case UK::Integer:
            showInteger(*ctrl, update.panel, update.control, update.integer);
            break;
        case UK::Text:
            if (ctrl->kind == CtrlKind::TextMsg)
                static_cast<QLabel *>(ctrl->widget)->setText(qs(update.text));
            else if (ctrl->kind == CtrlKind::CommandButton)
                static_cast<QPushButton *>(ctrl->widget)->setText(buttonText(update.text));
            break;
        case UK::CellText:
        case UK::CellColor: {
            if (ctrl->kind != CtrlKind::Table)
                break;
            auto *table = static_cast<QTableWidget *>(ctrl->widget);
            int cols = table->columnCount();
            QTableWidgetItem *item = cols ? table->item(update.cell / cols, update.cell % cols)
                                          : nullptr;
            if (!item)
                break;
            if (update.kind == UK::CellText)
                item->setText(qs(update.text));
            else
                item->setForeground(toQColor(update.integer));
            break;
        }
        default:
            break;
        }
    }

    static void setRingItems(QComboBox *combo, const std::vector<RingItem> &items) {
        bool same = combo->count() == static_cast<int>(items.size());
        for (int i = 0; same && i < combo->count(); ++i)
            same = combo->itemText(i) == qs(items[i].text) &&
                   combo->itemData(i).toInt() == items[i].value;
        if (same)
            return;
        combo->clear();
        for (const auto &item : items)
            combo->addItem(qs(item.text), item.value);
    }

    void showInteger(CtrlView &ctrl, int panel, int id, int value) {
        switch (ctrl.kind) {
        case CtrlKind::Ring: {
            auto *combo = static_cast<QComboBox *>(ctrl.widget);
            int index = combo->findData(value);
            if (index >= 0)
                combo->setCurrentIndex(index);
            break;
        }
        case CtrlKind::BinarySwitch:
            static_cast<SwitchWidget *>(ctrl.widget)->setValue(value);
            break;
        case CtrlKind::Led: {
            ControlState state;
            if (GetControlState(panel, id, &state))
                static_cast<LedWidget *>(ctrl.widget)
                    ->setState(value != 0, state.onColor, state.offColor);
            break;
        }
        case CtrlKind::Tab:
            static_cast<QTabWidget *>(ctrl.widget)->setCurrentIndex(value);
            break;
        default:
            break;
        }
    }

    void syncControl(int panel, int id) {
        auto pv = panels_.find(panel);
        if (pv == panels_.end())
            return;
        auto cv = pv->second.controls.find(id);
        if (cv == pv->second.controls.end())
            return;
        ControlState state;
        if (!GetControlState(panel, id, &state))
            return;
        CtrlView &ctrl = cv->second;
        ctrl.seenSeq = std::max(ctrl.seenSeq, state.seq);
        if (ctrl.timer) {
            ctrl.timer->setInterval(static_cast<int>(std::lround(state.interval * 1000.0)));
            if (state.enabled && state.interval > 0) {
                if (!ctrl.timer->isActive())
                    ctrl.timer->start();
            } else {
                ctrl.timer->stop();
            }
            return;
        }
        if (!ctrl.widget)
            return;
        QSignalBlocker blocker(ctrl.widget);
        switch (ctrl.kind) {
        case CtrlKind::Numeric:
            static_cast<QDoubleSpinBox *>(ctrl.widget)->setValue(state.number);
            break;
        case CtrlKind::Ring:
            setRingItems(static_cast<QComboBox *>(ctrl.widget), state.items);
            showInteger(ctrl, panel, id, state.integer);
            break;
        case CtrlKind::BinarySwitch:
        case CtrlKind::Tab:
            showInteger(ctrl, panel, id, state.integer);
            break;
        case CtrlKind::Led:
            static_cast<LedWidget *>(ctrl.widget)
                ->setState(state.integer != 0, state.onColor, state.offColor);
            break;
        case CtrlKind::TextMsg:
            static_cast<QLabel *>(ctrl.widget)->setText(qs(state.text));
            break;
        case CtrlKind::Table: {
            auto *table = static_cast<QTableWidget *>(ctrl.widget);
            int cols = table->columnCount();
            for (size_t i = 0; i < state.cells.size(); ++i) {
                QTableWidgetItem *item = table->item(static_cast<int>(i) / cols,
                                                     static_cast<int>(i) % cols);
                if (!item)
                    continue;
                QString text = qs(state.cells[i]);
                if (item->text() != text)
                    item->setText(text);
                QColor color = toQColor(state.cellColors[i]);
                if (item->foreground().color() != color)
                    item->setForeground(color);
            }
            break;
        }
        default:
            break;
        }
        ctrl.widget->setVisible(state.visible);
        if (ctrl.label)
            ctrl.label->setVisible(state.visible);
    }

    QApplication *ownedApp_;
    std::map<int, PanelView> panels_;
    bool quitRequested_ = false;
};

} // namespace

ViewBackend *CreateQtBackend(int argc, char **argv) {
    QApplication *owned = nullptr;
    if (!QCoreApplication::instance()) {
        const char *platformName = std::getenv("QT_QPA_PLATFORM");
        const char *x11 = std::getenv("DISPLAY");
        const char *wayland = std::getenv("WAYLAND_DISPLAY");
        if ((!platformName || !*platformName) && (!x11 || !*x11) && (!wayland || !*wayland)) {
            std::fprintf(stderr, "qentool: no display to open (set DISPLAY, or run with "
                                 "QT_QPA_PLATFORM=offscreen)\n");
            return nullptr;
        }
        // QApplication keeps references to argc and argv for its whole life.
        static int appArgc;
        static std::vector<char *> appArgv;
        appArgc = argc;
        appArgv.assign(argv, argv + argc);
        appArgv.push_back(nullptr);
        owned = new QApplication(appArgc, appArgv.data());
    } else if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        return nullptr;
    }
    qtBackend = new QtBackend(owned);
    return qtBackend;
}

} // namespace platform

QWidget *PanelWidget(int panel) {
    return platform::qtBackend ? platform::qtBackend->panelRoot(panel) : nullptr;
}
