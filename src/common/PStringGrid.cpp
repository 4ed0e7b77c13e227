#include "common/PStringGrid.h"

#include "common/PText.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int checkRole = Qt::UserRole + 1;

QRect centredCheckBox(const QRect& cell, const QStyle* style)
{
    QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth), style->pixelMetric(QStyle::PM_IndicatorHeight));
    QRect box(QPoint(), size);
    box.moveCenter(cell.center());
    return box;
}

// Draws the cell's text and, where the cell has one, its check box. Cells that cannot be
// selected are drawn in the normal colours: only a disabled grid is greyed.
class CheckDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell(option);
        if (option.widget && option.widget->isEnabled())
            cell.state |= QStyle::State_Enabled;
        QStyledItemDelegate::paint(painter, cell, index);
        QVariant checked = index.data(checkRole);
        if (!checked.isValid())
            return;
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        QStyleOptionButton box;
        box.rect = centredCheckBox(option.rect, style);
        box.state = QStyle::State_Enabled | (checked.toBool() ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
    }
};

} // namespace

TPStringGrid::TPStringGrid(const QStringList& headers, QWidget* parent)
    : QTableWidget(1, static_cast<int>(headers.size()), parent),
      selectable_(static_cast<std::size_t>(headers.size()), true),
      maxLength_(static_cast<std::size_t>(headers.size()), 0)
{
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);
    setItemDelegate(new CheckDelegate(this));
    setDataRowCount(1);
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &TPStringGrid::focusMoved);
}

// Destroying the children moves the focus; by then this grid must no longer hear of it.
TPStringGrid::~TPStringGrid()
{
    disconnect(focusWatch_);
}

void TPStringGrid::setColumnSelectable(int column, bool selectable)
{
    selectable_[static_cast<std::size_t>(column)] = selectable;
    setDataRowCount(rowCount());
}

void TPStringGrid::setColumnMaxLength(int column, int length)
{
    maxLength_[static_cast<std::size_t>(column)] = length;
}

void TPStringGrid::setDataRowCount(int rows)
{
    rows = std::max(rows, 1);
    int current = currentRow();
    setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columnCount(); ++c) {
            if (!item(r, c))
                setItem(r, c, new QTableWidgetItem);
            item(r, c)->setFlags(selectable_[static_cast<std::size_t>(c)]
                                     ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                     : Qt::NoItemFlags);
        }
    if (current >= rows)
        setCurrentCell(rows - 1, currentColumn());
}

void TPStringGrid::setText(int row, int column, const QString& text)
{
    item(row, column)->setText(text);
    if (editor_ && row == editRow_ && column == editColumn_)
        editor_->setText(text);
}

QString TPStringGrid::text(int row, int column) const
{
    return item(row, column)->text();
}

void TPStringGrid::setCheck(int row, int column, std::optional<bool> checked)
{
    item(row, column)->setData(checkRole, checked ? QVariant(*checked) : QVariant());
}

QRect TPStringGrid::checkBoxRect(int row, int column) const
{
    return centredCheckBox(visualRect(model()->index(row, column)), style());
}

bool TPStringGrid::checkBoxContains(int row, int column, const QPoint& point) const
{
    return item(row, column)->data(checkRole).isValid() && checkBoxRect(row, column).contains(point);
}

bool TPStringGrid::editable(const QModelIndex& index) const
{
    return index.isValid() && canEdit_ && canEdit_(index.row(), index.column());
}

void TPStringGrid::enterEditMode()
{
    if (editor_ || !editable(currentIndex()))
        return;
    editRow_ = currentRow();
    editColumn_ = currentColumn();
    auto* editor = new QLineEdit(text(editRow_, editColumn_));
    editor->setValidator(new TPCp1250Validator(editor));
    if (int length = maxLength_[static_cast<std::size_t>(editColumn_)])
        editor->setMaxLength(length);
    setCellWidget(editRow_, editColumn_, editor);
    // After the view's own filter, so Enter and Escape reach this grid first.
    editor->installEventFilter(this);
    editor_ = editor;
    editor->selectAll();
    editor->setFocus();
}

void TPStringGrid::endEditMode()
{
    if (!editor_)
        return;
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    if (editor->hasFocus())
        setFocus();
    editor->removeEventFilter(this);
    removeCellWidget(editRow_, editColumn_);
}

bool TPStringGrid::commitEdit(Commit reason)
{
    QString typed = editor_->text();
    int row = editRow_;
    int column = editColumn_;
    if (reason != Commit::Enter || !rules_.enterKeepsEditing)
        endEditMode();
    QPointer<TPStringGrid> alive(this);
    bool accepted = !commit_ || commit_(row, column, typed, reason);
    if (accepted && alive && item(row, column))
        item(row, column)->setText(typed);
    return accepted;
}

void TPStringGrid::finishEditing()
{
    if (editor_)
        commitEdit(Commit::Leave);
}

bool TPStringGrid::leaveCellFor(const QModelIndex& target)
{
    if (!editor_ || (target.row() == editRow_ && target.column() == editColumn_))
        return true;
    bool accepted = commitEdit(Commit::Move);
    return accepted && !rules_.moveKeepsCell;
}

void TPStringGrid::moveEditingTo(QAbstractItemView::CursorAction action)
{
    QModelIndex target = moveCursor(action, Qt::NoModifier);
    if (target.isValid() && leaveCellFor(target))
        setCurrentIndex(target);
}

void TPStringGrid::focusMoved(QWidget* old, QWidget* now)
{
    // Focus going to another window (a message box, a file dialog) does not leave the grid;
    // focus coming to the grid itself is focusInEvent's.
    if (!editor_ || old != editor_ || !now || now->window() != window() || now == this || isAncestorOf(now))
        return;
    commitEdit(Commit::Leave);
}

// Tab from the cell editor lands on the grid itself: the text is taken as if the grid had
// been left. A click leaves the cell through mousePressEvent, which knows where to.
void TPStringGrid::focusInEvent(QFocusEvent* event)
{
    if (editor_ && event->reason() != Qt::MouseFocusReason)
        commitEdit(Commit::Leave);
    QTableWidget::focusInEvent(event);
}

// The window closing takes the text typed so far, as leaving the grid would.
void TPStringGrid::hideEvent(QHideEvent* event)
{
    if (editor_ && !event->spontaneous())
        commitEdit(Commit::Leave);
    QTableWidget::hideEvent(event);
}

bool TPStringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_ || event->type() != QEvent::KeyPress)
        return QTableWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitEdit(Commit::Enter);
        return true;
    case Qt::Key_Escape:
        endEditMode();
        return true;
    case Qt::Key_Up:
        moveEditingTo(MoveUp);
        return true;
    case Qt::Key_Down:
        moveEditingTo(MoveDown);
        return true;
    default:
        return QTableWidget::eventFilter(watched, event);
    }
}

void TPStringGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter belongs to the grid, never to a default button of the window.
        enterEditMode();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TPStringGrid::mousePressEvent(QMouseEvent* event)
{
    QModelIndex index = indexAt(event->position().toPoint());
    if (editor_ && !leaveCellFor(index)) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && index.isValid() &&
        checkBoxContains(index.row(), index.column(), event->position().toPoint()))
        emit checkClicked(index.row(), index.column());
    QTableWidget::mousePressEvent(event);
}

void TPStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index == currentIndex())
        enterEditMode();
}

TPColumnCaptions::TPColumnCaptions(QTableView* grid, const std::vector<Span>& spans, QWidget* parent)
    : QWidget(parent), grid_(grid), spans_(spans)
{
    for (const Span& span : spans_) {
        auto* label = new QLabel(span.caption, this);
        label->setAlignment(Qt::AlignCenter);
        labels_.push_back(label);
    }
    setFixedHeight(labels_.empty() ? 0 : labels_.front()->sizeHint().height());
    QHeaderView* header = grid_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &TPColumnCaptions::placeCaptions);
    connect(header, &QHeaderView::geometriesChanged, this, &TPColumnCaptions::placeCaptions);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TPColumnCaptions::placeCaptions);
}

void TPColumnCaptions::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeCaptions();
}

void TPColumnCaptions::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    placeCaptions();
}

void TPColumnCaptions::placeCaptions()
{
    QHeaderView* header = grid_->horizontalHeader();
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        const int left = header->sectionViewportPosition(spans_[i].first);
        const int right = header->sectionViewportPosition(spans_[i].last) + header->sectionSize(spans_[i].last);
        const QPoint at = mapFrom(window(), header->viewport()->mapTo(window(), QPoint(left, 0)));
        labels_[i]->setGeometry(at.x(), 0, right - left, height());
    }
}
