#pragma once

#include "dialogs/HelpDialog.h"
#include "plans/ChannelPlans.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTextBrowser;
class QTreeWidget;

// Channel Plans: the plans on the left (a plan that does not fit the document's band looks
// disabled and says why when chosen), the chosen plan's description and rows on the right, and
// below them which rows go into which channels, with a line saying which channels that changes.
// On Apply the plan is applied to the image it opened on (rows core refuses are listed, the
// others still go in); image() is then the result, for the caller to take as one step. The
// dialog changes nothing itself.
class ChannelPlansDlg : public HelpDialog {
    Q_OBJECT
public:
    ChannelPlansDlg(const PlanLoad& plans, const MemoryImage& image, BandLimits band, Language language,
                    QWidget* parent = nullptr);

    QTreeWidget* planList() const { return m_plans; }
    QTreeWidget* channelTable() const { return m_channels; }
    QSpinBox* fromRow() const { return m_fromRow; }
    QSpinBox* toRow() const { return m_toRow; }
    QSpinBox* intoChannel() const { return m_intoChannel; }
    QCheckBox* replaceAll() const { return m_replaceAll; }
    QLabel* effectLabel() const { return m_effect; }
    QLabel* reasonLabel() const { return m_reason; }
    QPushButton* applyButton() const { return m_apply; }

    // Chooses the plan of that name; false when there is none.
    bool selectPlan(const QString& name);

    // After Apply: the image with the plan's channels.
    const MemoryImage& image() const { return m_image; }

    void accept() override;

private:
    const ChannelPlan* currentPlan() const;
    void showPlan();
    void showEffect();
    channelplans::ApplyRequest request() const;
    QString describe(const ChannelPlan& plan) const;

    PlanLoad m_load;
    MemoryImage m_image;
    BandLimits m_band;
    Language m_language;
    QTreeWidget* m_plans;
    QTextBrowser* m_description;
    QLabel* m_reason;
    QTreeWidget* m_channels;
    QSpinBox* m_fromRow;
    QSpinBox* m_toRow;
    QSpinBox* m_intoChannel;
    QCheckBox* m_replaceAll;
    QLabel* m_effect;
    QPushButton* m_apply;
};
