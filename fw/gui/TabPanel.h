#pragma once
// A page panel with a captioned tab per page.
#include "fw/gui/PagePanel.h"

namespace fw {

class TabPanel : public PagePanel {
public:
    TabPanel();
    String Caption(int page) const;  // "" out of range
    void Caption(int page, const String& text);
    // Design-time captions: one text, separated by CR; sets PanelCount.
    void Captions(const String& captions);
};

}  // namespace fw
