#include "seller/automation/listingformfeature.h"
#include "seller/automation/approvestep.h"
#include "seller/templates/listingtemplates.h"
#include "seller/pageaccess.h"
#include "browser/engine/document.h"
#include "browser/pipeline/pipelinetab.h"
#include "core/programclock.h"

void ListingFormFeature::setClosingTime(const ClosingTimeControls *controls, ProgramClock *clock)
{
    m_controls = controls;
    m_clock = clock;
}

bool ListingFormFeature::approve_step(PipelineTab &tab, const QString &address)
{
    return m_approval && m_approval->approve_step(tab, address);
}

void ListingFormFeature::vakiopohjat()
{
    m_templates->vakiopohjat();
}

void ListingFormFeature::saika(PipelineTab &tab)
{
    saika(tab.document());
}

bool ListingFormFeature::automaticOpening() const
{
    return m_controls && m_controls->automaticOpening();
}

bool ListingFormFeature::openingButtonEnabled() const
{
    return m_controls && m_controls->openingButtonEnabled();
}

void ListingFormFeature::saika(Document &document)
{
    if (!m_controls || !m_clock || !document.isHtml())
        return;
    const ClosingFormTimes times = ClosingTimeRules::formTimes(m_clock->kellonaika(), m_controls->closingChoice());
    PageAccess page(document, nullptr);
    page.set_field_value(QStringLiteral("open_daysmuu"), QStringLiteral("muu"));
    page.set_field_value(QStringLiteral("start_date"), times.startDate);
    page.set_field_value(QStringLiteral("start_time"), times.startTime);
    page.set_field_value(QStringLiteral("end_date"), times.endDate);
    page.set_field_value(QStringLiteral("end_time"), times.endTime);
}
