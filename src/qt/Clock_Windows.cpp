#include "qt/Clock_Windows.h"

TClock_Windows::TClock_Windows(const TMain_Form_Services& services)
    : form(services),
      about_box(QString::fromStdString(services.Version), services.Clock, services.Random, &form),
      info_box(&form),
      settings_dialog(form.Live_Settings(), &form),
      directory_dialog(&form)
{
    form.Attach_Dialogs(about_box, info_box, settings_dialog, directory_dialog);
}
