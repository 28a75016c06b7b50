#include "window/craft_tree.h"

#include "catalogue/scan.h"
#include "core/guard.h"
#include "core/literal_text.h"
#include "presentation/contrast.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QWindow>

CraftItem::CraftItem(const AircraftPtr &craft) : QTreeWidgetItem(QStringList{craft->name}, Type), data{craft}
{
    // The window lets the user rename an aircraft in place.
    setFlags(flags() | Qt::ItemIsEditable);
    auto *armament = new QTreeWidgetItem(this, QStringList{ArmamentCaption()});
    for (const WeaponRowCaptions &row : craft->armament) {
        auto *group = new QTreeWidgetItem(armament, QStringList{row.group});
        for (const QString &item : row.items)
            new QTreeWidgetItem(group, QStringList{item});
    }
    for (const SummaryValue &summary : craft->summary)
        new QTreeWidgetItem(this, QStringList{SummaryCaption(summary, ShownUnits())});
}

CraftItem::CraftItem(const CraftItem &shown) : QTreeWidgetItem(QStringList{shown.text(0)}, Type), data(shown.data)
{
    setFlags(shown.flags());
    for (int i = 0; i < shown.childCount(); ++i)
        addChild(shown.child(i)->clone());
}

void CraftItem::setData(int column, int role, const QVariant &value)
{
    QTreeWidgetItem::setData(column, role, value);
    if (column != 0 || !data.aircraft || text(0) == data.aircraft->name)
        return;
    auto renamed = std::make_shared<Aircraft>(*data.aircraft);
    renamed->name = text(0);
    data.aircraft = std::move(renamed);
}

const TNodeData *NodeDataOf(const QTreeWidgetItem *item)
{
    if (!item || item->parent() || item->type() != CraftItem::Type)
        return nullptr;
    return &static_cast<const CraftItem *>(item)->data;
}

AircraftPtr AircraftOf(const QTreeWidgetItem *item)
{
    const TNodeData *data = NodeDataOf(item);
    return data ? data->aircraft : nullptr;
}

namespace {
// The least contrast of text against its ground.
constexpr double kTextContrast = 4.5;
}  // namespace

// Passes on only the indexes the tree's filter allows; a selection left empty is no
// change at all.
// The item under the mouse is drawn in blue, unless it is selected.
class HoverDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if ((option->state & QStyle::State_MouseOver) && !(option->state & QStyle::State_Selected))
            option->palette.setColor(QPalette::Text, LegibleOn(QColor(0, 0, 255), option->palette.color(QPalette::Base), kTextContrast));
    }
};

class CraftSelectionModel : public QItemSelectionModel {
public:
    explicit CraftSelectionModel(CraftTree *tree) : QItemSelectionModel(tree->model(), tree), tree_(tree) {}
    using QItemSelectionModel::select;
    void select(const QItemSelection &selection, SelectionFlags command) override
    {
        QItemSelection allowed;
        for (const QItemSelectionRange &range : selection)
            for (const QModelIndex &index : range.indexes())
                if (tree_->allows(index))
                    allowed.select(index, index);
        if (allowed.isEmpty())
            return;
        QItemSelectionModel::select(allowed, command);
    }

private:
    CraftTree *tree_;
};

CraftTree::CraftTree(const QString &name, const QColor &textColor, QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(name);
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Connecting lines between items, and the item under the mouse drawn in blue.
    QStyle *lines = QStyleFactory::create(QStringLiteral("Windows"));
    lines->setParent(this);
    setStyle(lines);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setItemDelegate(new HoverDelegate(this));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    // Every row is one line of text in this font: no row needs measuring of its own.
    setUniformRowHeights(true);
    QPalette pal = palette();
    // Navy and red on a light base as designed; lighter shades of them on a dark one.
    pal.setColor(QPalette::Text, LegibleOn(textColor, pal.color(QPalette::Base), kTextContrast));
    // The chosen aircraft stays visible while the tree has no focus.
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
    setSelectionModel(new CraftSelectionModel(this));
}

void CraftTree::SetSelectionFilter(SelectionFilter allow) { allow_ = std::move(allow); }

bool CraftTree::allows(const QModelIndex &index) const
{
    bool allowed = false;
    Guarded([&] { allowed = !allow_ || allow_(itemFromIndex(index)); });
    return allowed;
}

void CraftTree::AddCraft(const AircraftPtr &craft) { addTopLevelItem(new CraftItem(craft)); }

void TreesFill::Listed(const AircraftPtr &craft)
{
    listed_.append(craft);
    if (!painted_ || !sinceBatch_.isValid() || sinceBatch_.elapsed() >= kBatchInterval.count())
        showListed();
}

void TreesFill::Finished(int) { showListed(); }

void TreesFill::showListed()
{
    sinceBatch_.start();
    QList<QTreeWidgetItem *> items[2];
    for (const AircraftPtr &craft : std::as_const(listed_)) {
        auto *item = new CraftItem(craft);
        items[0].append(item);
        items[1].append(new CraftItem(*item));
    }
    listed_.clear();
    for (int i = 0; i < 2; ++i)
        trees_[i]->addTopLevelItems(items[i]);
}

void TreesFill::LetEventsRun()
{
    QCoreApplication::processEvents();
    // A window exposed now was painted in those events, its trees as they stand.
    const QWindow *window = trees_[0]->window()->windowHandle();
    painted_ = painted_ || (window && window->isExposed());
}

void CraftTree::Recaption()
{
    // An aircraft's captions under its name: the armament node, then its summary values.
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        const AircraftPtr craft = AircraftOf(item);
        if (!craft || item->childCount() != 1 + int(craft->summary.size()))
            continue;
        item->child(0)->setText(0, ArmamentCaption());
        for (size_t k = 0; k < craft->summary.size(); ++k)
            item->child(int(k) + 1)->setText(0, SummaryCaption(craft->summary[k], ShownUnits()));
    }
}

QTreeWidgetItem *CraftTree::SelectedCraft() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : itemFromIndex(selected.first());
}

bool CraftTree::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeWidget::viewportEvent(event);
    // An item too wide to be seen whole shows its text as a tool tip.
    Guarded([this, help = static_cast<QHelpEvent *>(event)] {
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.data().toString();
        const QRect r = visualRect(index);
        if (index.isValid() && r.left() + fontMetrics().horizontalAdvance(text) + 6 > viewport()->width())
            QToolTip::showText(help->globalPos(), ToolTipOfText(text), viewport(), r);
        else
            QToolTip::hideText();
    });
    return true;
}
