#include "widgets/Prompts.h"

#include "widgets/QtPrompts.h"

namespace zv {

namespace {

Prompts*& InstalledPrompts() {
    static Prompts* installed = nullptr;
    return installed;
}

} // namespace

Prompts& CurrentPrompts() {
    static QtPrompts qtPrompts;
    Prompts* installed = InstalledPrompts();
    return installed ? *installed : qtPrompts;
}

void SetCurrentPrompts(Prompts* prompts) {
    InstalledPrompts() = prompts;
}

} // namespace zv
