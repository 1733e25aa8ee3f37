#pragma once

#include "reports/pdf/TPRControl.h"

namespace zv {

// A visible thing on a page; one that is not printable is skipped.
class TPRItem : public TPRControl {
public:
    using TPRControl::TPRControl;

    bool Printable() const { return printable_; }
    void SetPrintable(bool printable) { printable_ = printable; }
    bool Skipped() const override { return !printable_; }

private:
    bool printable_ = true;
};

} // namespace zv
