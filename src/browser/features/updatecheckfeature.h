#pragma once
// Update check, started at most once a day.
class UpdateCheckFeature {
public:
    virtual ~UpdateCheckFeature() = default;

    virtual void Paivita1Click() = 0;
};
