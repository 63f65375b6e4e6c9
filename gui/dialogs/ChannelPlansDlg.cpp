#include "dialogs/ChannelPlansDlg.h"

#include "app/MessageBox.h"
#include "app/Resource.h"
#include "channels/Formats.h"
#include "image/MemoryImage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString frequencyText(const std::optional<uint32_t>& freq) {
    return freq ? fromUtf8(formatFrequency(*freq)) : QString();
}

// "1 to 8, 10": the channels as runs.
QString channelRuns(const std::vector<int>& channels) {
    QStringList runs;
    for (size_t i = 0; i < channels.size();) {
        size_t end = i;
        while (end + 1 < channels.size() && channels[end + 1] == channels[end] + 1) {
            ++end;
        }
        runs << (end == i ? QString::number(channels[i])
                          : ChannelPlansDlg::tr("%1 to %2").arg(channels[i]).arg(channels[end]));
        i = end + 1;
    }
    return runs.join(ChannelPlansDlg::tr(", "));
}

} // namespace

ChannelPlansDlg::ChannelPlansDlg(const PlanLoad& plans, const MemoryImage& image, BandLimits band,
                                 Language language, QWidget* parent)
    : HelpDialog(id::kChannelPlans, parent), m_load(plans), m_image(image), m_band(band),
      m_language(language), m_plans(new QTreeWidget), m_description(new QTextBrowser), m_reason(new QLabel),
      m_channels(new QTreeWidget), m_fromRow(new QSpinBox), m_toRow(new QSpinBox),
      m_intoChannel(new QSpinBox), m_replaceAll(new QCheckBox(tr("&Replace all sixteen channels"))),
      m_effect(new QLabel), m_apply(new QPushButton(tr("&Apply"))) {
    setObjectName(QStringLiteral("ChannelPlansDlg"));
    setWindowTitle(tr("Channel Plans"));

    auto* plansLabel = new QLabel(tr("&Plans:"));
    plansLabel->setBuddy(m_plans);
    m_plans->setAccessibleName(tr("Channel plans"));
    m_plans->setRootIsDecorated(false);
    m_plans->setHeaderLabels({tr("Name"), tr("Region")});
    const QColor unfit = palette().color(QPalette::Disabled, QPalette::Text);
    for (const ChannelPlan& plan : m_load.plans) {
        auto* item = new QTreeWidgetItem(m_plans, {fromUtf8(plan.name), fromUtf8(plan.region)});
        if (!channelplans::applicability(plan, m_band, m_language).applicable) {
            item->setForeground(0, unfit);
            item->setForeground(1, unfit);
        }
    }
    m_plans->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* descriptionLabel = new QLabel(tr("&Description:"));
    descriptionLabel->setBuddy(m_description);
    m_description->setAccessibleName(tr("Description of the plan"));
    m_description->setOpenLinks(false);
    m_reason->setWordWrap(true);
    m_reason->setAccessibleName(tr("Why the plan does not fit"));
    m_reason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* channelsLabel = new QLabel(tr("C&hannels of the plan:"));
    channelsLabel->setBuddy(m_channels);
    m_channels->setAccessibleName(tr("Channels of the plan"));
    m_channels->setRootIsDecorated(false);
    m_channels->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_channels->setHeaderLabels({tr("Row"), tr("Name"), tr("Receive"), tr("Transmit"), tr("Tones"),
                                 tr("Bandwidth allowed"), tr("Power limit")});
    m_channels->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(plansLabel);
    left->addWidget(m_plans);
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(descriptionLabel);
    right->addWidget(m_description, 2);
    right->addWidget(m_reason);
    right->addWidget(channelsLabel);
    right->addWidget(m_channels, 3);
    auto* leftPane = new QWidget;
    leftPane->setLayout(left);
    auto* rightPane = new QWidget;
    rightPane->setLayout(right);
    auto* splitter = new QSplitter;
    splitter->addWidget(leftPane);
    splitter->addWidget(rightPane);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);

    // Lists that could not be read are named; the others are offered all the same.
    auto* problems = new QLabel;
    problems->setWordWrap(true);
    problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QStringList lines;
    for (const PlanProblem& problem : m_load.problems) {
        lines << tr("%1: %2").arg(QDir::toNativeSeparators(fromUtf8(problem.path)), fromUtf8(problem.reason));
    }
    problems->setText(tr("These channel lists could not be read:\n%1").arg(lines.join(QLatin1Char('\n'))));
    problems->setVisible(!lines.isEmpty());

    auto* fromLabel = new QLabel(tr("&From row"));
    fromLabel->setBuddy(m_fromRow);
    auto* toLabel = new QLabel(tr("&to row"));
    toLabel->setBuddy(m_toRow);
    auto* intoLabel = new QLabel(tr("&into channel"));
    intoLabel->setBuddy(m_intoChannel);
    m_intoChannel->setRange(1, image::kChannelCount);
    auto* range = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{fromLabel, m_fromRow, toLabel, m_toRow, intoLabel, m_intoChannel}) {
        range->addWidget(widget);
    }
    range->addSpacing(16);
    range->addWidget(m_replaceAll);
    range->addStretch(1);
    m_effect->setWordWrap(true);
    m_effect->setAccessibleName(tr("What applying the plan changes"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->addButton(m_apply, QDialogButtonBox::AcceptRole);
    m_apply->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(problems);
    layout->addLayout(range);
    layout->addWidget(m_effect);
    layout->addWidget(buttons);

    connect(m_plans, &QTreeWidget::currentItemChanged, this, &ChannelPlansDlg::showPlan);
    // Rows chosen in the plan's table are the rows applied.
    connect(m_channels, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> rows = m_channels->selectedItems();
        if (rows.isEmpty()) {
            return;
        }
        int first = m_channels->indexOfTopLevelItem(rows.first()) + 1;
        int last = first;
        for (QTreeWidgetItem* row : rows) {
            first = qMin(first, m_channels->indexOfTopLevelItem(row) + 1);
            last = qMax(last, m_channels->indexOfTopLevelItem(row) + 1);
        }
        m_fromRow->setValue(first);
        m_toRow->setValue(last);
    });
    connect(m_fromRow, &QSpinBox::valueChanged, this, &ChannelPlansDlg::showEffect);
    connect(m_toRow, &QSpinBox::valueChanged, this, &ChannelPlansDlg::showEffect);
    connect(m_intoChannel, &QSpinBox::valueChanged, this, &ChannelPlansDlg::showEffect);
    connect(m_replaceAll, &QCheckBox::toggled, this, &ChannelPlansDlg::showEffect);

    // The first plan that fits the band is chosen to begin with.
    int first = 0;
    for (int i = 0; i < static_cast<int>(m_load.plans.size()); ++i) {
        if (channelplans::applicability(m_load.plans[static_cast<size_t>(i)], m_band, m_language)
                .applicable) {
            first = i;
            break;
        }
    }
    if (QTreeWidgetItem* item = m_plans->topLevelItem(first)) {
        m_plans->setCurrentItem(item);
    }
    showPlan();
    resize(920, 600);
    splitter->setSizes({220, 700});
}

bool ChannelPlansDlg::selectPlan(const QString& name) {
    for (int i = 0; i < m_plans->topLevelItemCount(); ++i) {
        if (m_plans->topLevelItem(i)->text(0) == name) {
            m_plans->setCurrentItem(m_plans->topLevelItem(i));
            return true;
        }
    }
    return false;
}

const ChannelPlan* ChannelPlansDlg::currentPlan() const {
    const int index = m_plans->indexOfTopLevelItem(m_plans->currentItem());
    return index >= 0 && index < static_cast<int>(m_load.plans.size())
               ? &m_load.plans[static_cast<size_t>(index)]
               : nullptr;
}

QString ChannelPlansDlg::describe(const ChannelPlan& plan) const {
    if (!plan.hasDescription) {
        return tr("A channel list without a description.").toHtmlEscaped();
    }
    QString html;
    const auto line = [&html](const QString& label, const std::string& text) {
        if (!text.empty()) {
            html += QStringLiteral("<p><b>%1</b> %2</p>")
                        .arg(label.toHtmlEscaped(), fromUtf8(text).toHtmlEscaped());
        }
    };
    line(tr("Service:"), plan.service);
    line(tr("Region:"), plan.region);
    if (plan.licenceNeeded) {
        line(tr("Licence needed:"), (*plan.licenceNeeded ? tr("Yes") : tr("No")).toStdString());
    }
    line(tr("Rule:"), plan.rule);
    line(tr("Source:"), plan.source);
    line(tr("Not confirmed:"), plan.unconfirmed);
    return html;
}

void ChannelPlansDlg::showPlan() {
    const ChannelPlan* plan = currentPlan();
    m_channels->clear();
    m_description->setHtml(plan ? describe(*plan) : QString());
    const channelplans::Applicability fit =
        plan ? channelplans::applicability(*plan, m_band, m_language) : channelplans::Applicability{};
    m_reason->setText(fromUtf8(fit.reason));
    m_reason->setVisible(plan && !fit.applicable);
    const int rows = plan ? static_cast<int>(plan->channels.size()) : 0;
    if (plan) {
        int row = 0;
        for (const PlanChannel& c : plan->channels) {
            new QTreeWidgetItem(
                m_channels,
                {QString::number(++row), fromUtf8(c.name), frequencyText(c.channel.rx10Hz),
                 frequencyText(c.channel.tx10Hz), fromUtf8(channelplans::tonesText(c.channel, m_language)),
                 fromUtf8(coreText(c.narrowOnly ? CoreText::Narrow : CoreText::Wide, m_language)),
                 fromUtf8(channelplans::powerLimitWords(c))});
        }
    }
    // The whole plan, from channel 1, unless the user chooses otherwise.
    const QSignalBlocker fromBlocked(m_fromRow);
    const QSignalBlocker toBlocked(m_toRow);
    m_fromRow->setRange(1, qMax(rows, 1));
    m_toRow->setRange(1, qMax(rows, 1));
    m_fromRow->setValue(1);
    m_toRow->setValue(qMax(rows, 1));
    showEffect();
}

channelplans::ApplyRequest ChannelPlansDlg::request() const {
    return {m_fromRow->value(), m_toRow->value(), m_intoChannel->value(), m_replaceAll->isChecked()};
}

// What the plan does to the image, as core applies it: the channels it fills and empties.
void ChannelPlansDlg::showEffect() {
    const ChannelPlan* plan = currentPlan();
    const bool fits = plan && channelplans::applicability(*plan, m_band, m_language).applicable;
    if (!plan || !fits) {
        m_effect->setText(plan ? tr("This plan does not fit the document's band.") : tr("Choose a plan."));
        m_apply->setEnabled(false);
        return;
    }
    const channelplans::ApplyResult result =
        channelplans::apply(*plan, m_image, m_band, request(), m_language);
    QString text;
    if (result.channels.empty()) {
        text = tr("No channel will change.");
        if (!result.refused.empty()) {
            text += QLatin1Char(' ') + fromUtf8(result.refused.front().reason);
        }
    } else {
        text = result.channels.size() == 1
                   ? tr("Channel %1 will be replaced.").arg(result.channels.front())
                   : tr("Channels %1 will be replaced.").arg(channelRuns(result.channels));
        if (m_replaceAll->isChecked() && result.channels.size() < static_cast<size_t>(image::kChannelCount)) {
            text += QLatin1Char(' ') + tr("The other channels will be emptied.");
        }
        // A refusal may stand for several rows (those past channel 16).
        const int leftOut =
            m_toRow->value() - m_fromRow->value() + 1 - static_cast<int>(result.channels.size());
        if (leftOut > 0) {
            text += QLatin1Char(' ') + tr("%n row(s) of the plan cannot be applied.", nullptr, leftOut);
        }
    }
    m_effect->setText(text);
    m_apply->setEnabled(!result.channels.empty());
}

void ChannelPlansDlg::accept() {
    const ChannelPlan* plan = currentPlan();
    if (!plan || !m_apply->isEnabled()) {
        return;
    }
    const channelplans::ApplyResult result =
        channelplans::apply(*plan, m_image, m_band, request(), m_language);
    if (result.channels.empty()) {
        return;
    }
    if (!result.refused.empty()) {
        QStringList lines;
        for (const channelplans::PlanRefusal& refusal : result.refused) {
            lines << fromUtf8(refusal.reason);
        }
        MessageBox::show(this,
                         tr("These rows of the plan were left out; the others are applied:\n%1")
                             .arg(lines.join(QLatin1Char('\n'))),
                         QString(), QMessageBox::Ok, QMessageBox::Information);
    }
    m_image = result.image;
    QDialog::accept();
}
