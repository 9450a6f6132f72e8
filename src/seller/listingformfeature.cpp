#include "listingformfeature.h"
#include "listingtemplates.h"

void ListingFormFeature::vakiopohjat()
{
    m_templates->vakiopohjat();
}
