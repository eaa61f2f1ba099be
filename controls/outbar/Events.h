#pragma once
// Event types of the outlook-bar library. Senders are the controls raising them.
#include <QRect>
#include <QString>
#include <Qt>
#include <functional>

class QObject;
class QMenu;

namespace outbar {

class TDCVertListItem;
class TDCOutBarGroup;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TNotifyEvent = std::function<void(QObject* sender)>;
using TListItemEvent = std::function<void(QObject* sender, TDCVertListItem* item)>;
using TExecuteItemEvent = std::function<void(QObject* sender, TDCVertListItem* item, bool& processed)>;
using TPopupMenuEvent = std::function<void(QObject* sender, TDCVertListItem* item, QMenu*& popupMenu)>;
using TBeforeMouseDownEvent = std::function<void(QObject* sender, int x, int y)>;
using TDragOverEvent =
    std::function<void(QObject* sender, QObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(QObject* sender, QObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(QObject* sender, QObject* target, int x, int y)>;
using TGroupChangingEvent = std::function<void(QObject* sender, TDCOutBarGroup* newGroup, bool& allowChange)>;
using TGroupCaptionChangeEvent = std::function<void(QObject* sender, TDCOutBarGroup* group)>;
using TGroupCaptionChangingEvent =
    std::function<void(QObject* sender, TDCOutBarGroup* group, const QString& newCaption, bool& canChange)>;
using TGroupDrawEvent = std::function<void(QObject* sender, TDCOutBarGroup* group, const QRect& rect, bool& ownerDraw)>;

}  // namespace outbar

namespace outbar {

// Shift state of pointer and key events.
enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, int shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(QObject* sender, int shift, int x, int y)>;
using TKeyEvent = std::function<void(QObject* sender, int& key, int shift)>;

}  // namespace outbar
