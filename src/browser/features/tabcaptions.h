#pragma once
// Tab captions, recomputed from the page titles after every completed page.
class TabCaptions {
public:
    virtual ~TabCaptions() = default;

    // Captions of every shown tab.
    virtual void updateCaptions() = 0;
};
