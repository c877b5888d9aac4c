// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/chooser_window.h"

#include "app/message.h"
#include "app/palette.h"
#include "app/text.h"
#include "chooser_window/chooser_controls.h"
#include "plot/window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionHeader>
#include <QTableWidget>

#include <algorithm>
#include <variant>

namespace chooser_window {

namespace {

// The rows share the table's height under the headings, none lower than this.
constexpr int kLowestRow = 22;

// The headings in the header's own text colour at full strength, each centred on a section the
// style draws: a style may dim a heading to half (Adwaita does), which on the table's white is
// 4 : 1, too faint to read well.
class ChooserHeader : public QHeaderView {
public:
    explicit ChooserHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionsClickable(true);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid())
            return;
        QStyleOptionHeader section;
        initStyleOption(&section);
        section.rect = rect;
        section.section = logicalIndex;
        style()->drawControl(QStyle::CE_HeaderSection, &section, painter, this);
        painter->save();
        painter->setFont(font());
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignCenter,
                          model()->headerData(logicalIndex, orientation()).toString());
        painter->restore();
    }
};

// The two controls made here: the table and the plot.
QWidget& Built(QWidget& window) {
    app::BuildWindow(window, "ChooserWindow", kChooserWidthTwips, kChooserHeightTwips, kChooserRows,
                     [](const app::ControlRow& row, QWidget* parent) -> QWidget* {
                         if (app::SameText(row.name, kTradeOffPlot.Name()))
                             return new TradeOffPlot(parent);
                         auto* table = new QTableWidget(parent);
                         table->setHorizontalHeader(new ChooserHeader(table));
                         return table;
                     });
    return window;
}

// Every name below is checked against the window's table when the program is compiled.
consteval const char* Checked(const char* name) { return app::CheckedName<kChooserRows>(name); }

// The fields, named for a screen reader after their captions and units.
constexpr app::NamingRow kNames[] = {
    {kBitsField.Name(), {Checked("BitsCaption")}, Checked("BitsUnit")},
    {kTimeField.Name(), {Checked("TimeCaption")}, Checked("TimeUnit")},
};

bool IsNumber(ChooserColumn column) {
    return column != ChooserColumn::Filter && column != ChooserColumn::Verdict;
}

} // namespace

ChooserWindow::ChooserWindow(UseFilter use, ReadDesign read, QWidget* parent)
    : QWidget(parent), controls_(Built(*this), kChooserRows),
      bits_(controls_.Get<QLineEdit>(kBitsField)),
      time_(controls_.Get<QLineEdit>(kTimeField)),
      table_(app::BoundControl<QTableWidget>(*this, kTable)),
      use_(app::BoundControl<QPushButton>(*this, kUseButton)),
      status_(controls_.Get<QLabel>(kStatusLabel)),
      plot_(app::BoundControl<TradeOffPlot>(*this, kTradeOffPlot)), useFilter_(std::move(use)),
      readDesign_(std::move(read)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Velmaro - Scelta del filtro"));
    app::NameControls(*this, kNames);
    app::SetTextColour(status_, app::kWarningColour);

    // One row per candidate, read only, selected whole.
    const QStringList headings = ChooserHeadings();
    table_.setColumnCount(int(headings.size()));
    table_.setHorizontalHeaderLabels(headings);
    table_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_.setSelectionBehavior(QAbstractItemView::SelectRows);
    table_.setSelectionMode(QAbstractItemView::SingleSelection);
    table_.setTabKeyNavigation(false);
    table_.verticalHeader()->hide();
    table_.horizontalHeader()->setHighlightSections(false);
    table_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_.setAccessibleName(tr("Filtri candidati"));
    FitColumns();

    QPushButton& compute = app::BoundControl<QPushButton>(*this, kComputeButton);
    // The main window's design as it is now, checked first: a refusal there changes nothing here.
    connect(&compute, &QPushButton::clicked, this, [this] {
        if (!readDesign_) {
            if (choice_)
                ChooseFor(choice_->design);
            return;
        }
        if (const std::optional<ChooserDesign> design = readDesign_())
            ChooseFor(*design);
    });
    for (QLineEdit* field : {&bits_, &time_})
        connect(field, &QLineEdit::returnPressed, &compute, &QPushButton::click);
    connect(&table_, &QTableWidget::itemSelectionChanged, this,
            [this] { use_.setEnabled(SelectedRow() && ChosenAt(*choice_, *SelectedRow())); });
    connect(&use_, &QPushButton::clicked, this, &ChooserWindow::UseSelected);
    use_.setEnabled(false);

    // Tab walks the window as it reads.
    QWidget* const order[] = {&bits_, &time_, &compute, &table_, &use_, &plot_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    plot::ScrollControlsWhenSmall(*this);
    bits_.setFocus();
}

bool ChooserWindow::ChooseFor(const ChooserDesign& design) {
    const std::variant<ChooserLimits, QString> limits = ReadLimits(bits_.text(), time_.text());
    if (const QString* refusal = std::get_if<QString>(&limits)) {
        app::ShowMessage(*refusal);
        return false;
    }
    Show(ChooseFilter(design, std::get<ChooserLimits>(limits)));
    return true;
}

void ChooserWindow::Show(FilterChoice choice) {
    choice_ = std::move(choice);
    app::SetResultText(controls_.Get<QLabel>(kDesignLabel),
                       DesignText(choice_->design));
    app::SetResultText(status_, StatusText(*choice_));

    table_.clearSelection();
    table_.setRowCount(int(choice_->rows.size()));
    if (const int rows = table_.rowCount(); rows > 0)
        table_.verticalHeader()->setDefaultSectionSize(std::max(
            kLowestRow,
            (table_.contentsRect().height() - table_.horizontalHeader()->sizeHint().height()) /
                rows));
    for (int row = 0; row < table_.rowCount(); ++row)
        for (int column = 0; column < int(ChooserColumn::Count); ++column) {
            const ChooserRow& shown = choice_->rows[std::size_t(row)];
            auto* item = new QTableWidgetItem(shown.cells[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignVCenter |
                                   (IsNumber(ChooserColumn(column)) ? Qt::AlignRight : Qt::AlignLeft));
            if (ChooserColumn(column) == ChooserColumn::Verdict &&
                (shown.tooSlow || shown.unreachable))
                item->setForeground(
                    QColor::fromRgb(app::ReadableOnFill(app::kWarningColour, app::kWhite)));
            table_.setItem(row, column, item);
        }
    FitColumns();
    if (choice_->best)
        table_.selectRow(int(*choice_->best));
    use_.setEnabled(SelectedRow() && ChosenAt(*choice_, *SelectedRow()));

    plot_.Show(TradeOffOf(*choice_));
}

// Each column as wide as its heading and cells, the room left shared among them all.
void ChooserWindow::FitColumns() {
    table_.resizeColumnsToContents();
    const int columns = table_.columnCount();
    int used = 0;
    for (int column = 0; column < columns; ++column)
        used += table_.columnWidth(column);
    const int spare = table_.contentsRect().width() - used;
    if (spare <= 0 || columns == 0)
        return;
    for (int column = 0; column < columns; ++column)
        table_.setColumnWidth(column, table_.columnWidth(column) + spare / columns +
                                          (column < spare % columns ? 1 : 0));
}

std::optional<std::size_t> ChooserWindow::SelectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = table_.selectedRanges();
    if (!choice_ || ranges.isEmpty())
        return std::nullopt;
    return std::size_t(ranges.constFirst().topRow());
}

void ChooserWindow::UseSelected() {
    const std::optional<std::size_t> row = SelectedRow();
    if (!row)
        return;
    if (const std::optional<ChosenFilter> chosen = ChosenAt(*choice_, *row); chosen && useFilter_)
        useFilter_(*chosen);
}

void ChooserWindow::ShowWindow() { plot::BringForward(*this); }

} // namespace chooser_window
