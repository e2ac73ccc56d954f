#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QEvent>
#include <QListWidget>
#include <QToolButton>

#include "qt/Clock_Face.h"
#include "clock/Layout_Scaling.h"
#include "qt/TMainForm1.h"

namespace {

// One component of the window in ownership order; null for a non-visual one.
std::vector<QWidget*> Owned_Components(const TMainForm1& form)
{
    return {form.Say_Time_Now_SpeedButton, form.Time_Label, form.Scaling_ListBox, form.Share_Sound_Crd_CheckBox,
            nullptr /* MainMenu1 */, nullptr /* Timer1 */};
}

}  // namespace

bool TMainForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm1::FormResize()
{
    Scale_Layout();
}

void TMainForm1::Record_Base_Layout()
{
    if (Scaling_ListBox->count() > 0)
        return;
    const QSize client = Client_Size();
    Scaling_ListBox->addItem(QString::fromStdString(Base_Layout_Header(client.width(), client.height())));
    for (QWidget* component : Owned_Components(*this)) {
        if (component == nullptr) {
            Scaling_ListBox->addItem(Non_Visual_Layout_Line);
            continue;
        }
        const QRect box = component->geometry();
        const Control_Layout layout{box.x(), box.width(), box.y(), box.height(), component->font().pointSize(),
                                    component->objectName().toStdString()};
        Scaling_ListBox->addItem(QString::fromStdString(Base_Layout_Line(layout)));
    }
}

void TMainForm1::Scale_Layout()
{
    if (Scaling_ListBox->count() == 0)
        return;
    const QSize client = Client_Size();
    const Scale_Ratios ratios =
        Compute_Scale_Ratios(Scaling_ListBox->item(0)->text().toStdString(), client.width(), client.height());
    const std::vector<QWidget*> components = Owned_Components(*this);
    for (std::size_t index = 0; index < components.size(); ++index) {
        const auto line = Scale_Line(Scaling_ListBox->item(static_cast<int>(index) + 1)->text().toStdString(), ratios);
        if (!line)
            continue;
        QWidget* control = components[index];
        control->setGeometry(line->left, line->top, line->width, line->height);
        QFont font = control->font();
        if (font.pointSize() <= 0)
            continue;
        // A font cannot shrink to nothing; the smallest size keeps the text drawable.
        font.setPointSize(std::max(line->font_points, 1));
        control->setFont(font);
    }
}
