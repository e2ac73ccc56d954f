#include "qt/Live_Region.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class TLive_Region_Accessible : public QAccessibleWidget {
public:
    explicit TLive_Region_Accessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* Live_Region_Factory(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String("TLive_Region") && object != nullptr && object->isWidgetType())
        return new TLive_Region_Accessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

TLive_Region::TLive_Region(QWidget* parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(Live_Region_Factory);
        return true;
    }();
    (void)installed;
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void TLive_Region::Announce(const QString& text)
{
    setText(text);
    if (!isVisible())
        return;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
