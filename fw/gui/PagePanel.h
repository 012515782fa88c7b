#pragma once
// Pages of controls, one shown at a time. A control on a page has the panel
// as parent and the page in TabPanelIndex. Event: "Change" when Value
// changes.
#include "fw/gui/RectControl.h"

namespace fw {

class PagePanel : public RectControl {
public:
    PagePanel();
    int PanelCount() const;
    void PanelCount(int n);  // adds or removes pages at the end
    void Append();           // one page more
    int Value() const;       // the page shown, 0-based
    void Value(int page);
    const std::type_info* EventSignature(std::string_view event) const override;

protected:
    explicit PagePanel(std::unique_ptr<Impl> impl);
};

}  // namespace fw
