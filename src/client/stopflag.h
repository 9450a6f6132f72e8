#pragma once
// The process-wide stop flag of long fetches: the ledger's "Pysäytä" button and
// closing the ledger window set it; a fetch and a fresh API login clear it.
// The byte-exact GET abandons its wait while it is set.
class StopFlag final {
public:
    void set() { m_set = true; }
    void clear() { m_set = false; }
    bool isSet() const { return m_set; }

private:
    bool m_set = false;
};
