#pragma once
// Emergency relief over a free weir: an empty form with two buttons; "OK"
// does nothing.
#include "forms/CForm.h"

namespace dralun {

class CEmergencyOverflowDlg final : public CForm {
public:
    static constexpr int kTemplateId = 105;
    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Notentlastung - freier Überfall", .cancelText = "Abbrechen"};
    explicit CEmergencyOverflowDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
};

} // namespace dralun
