#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The back and forward history of a web slide's view. Both lists hold page addresses, most
// recent first; together with CurrentPage they form one line of visited pages (oldest back entry
// ... CurrentPage ... last forward entry), and moving through the history only shifts pages
// between the two lists, so no address appears twice.
//
// The view reports every navigation it starts to BeforeNavigate(); the history commands move the
// history first and hand back the address the view must then navigate to, whose own report finds
// it already current and changes nothing.
class WebHistory
{
public:
    enum class List { Back, Forward };
    // Whether a move through GoHistory() is a command the view still has to carry out (Yes), or
    // follows a navigation the view has already started (No).
    enum class Navigate { No, Yes };

    // A new slide's page: both lists emptied and the next navigation taken as the starting page.
    void StartSlide();
    // The view is gone: no history and no current page.
    void Clear();

    // A navigation the view starts to `target`. A page already in a list moves the history to it
    // (the back list is searched first); any other page becomes current, drops the forward list
    // and puts the previous page first in the back list.
    void BeforeNavigate(const QString &target);

    // Makes list[i] the current page: the old current page and the entries before i go first into
    // the other list, newest nearest; entries 0..i leave `list`. Returns the address to navigate
    // to when `navigate` is Yes; std::nullopt when it is No or when there is no entry i.
    std::optional<QString> GoHistory(List list, qsizetype i, Navigate navigate);

    // The three history commands; each returns the address to navigate to, std::nullopt when its
    // list is empty.
    std::optional<QString> Backward() { return GoHistory(List::Back, 0, Navigate::Yes); }
    std::optional<QString> Forward() { return GoHistory(List::Forward, 0, Navigate::Yes); }
    // The oldest page of the back list; every newer one moves to the forward list.
    std::optional<QString> Home();

    // Enabling of the history commands.
    bool homeEnabled() const { return !m_back.isEmpty(); }
    bool backwardEnabled() const { return !m_back.isEmpty(); }
    bool forwardEnabled() const { return !m_forward.isEmpty(); }
    // "Ves a la pàgina anterior:\r\n<page>,\r\nacabada de visitar"; empty with an empty list.
    QString backwardHint() const;
    QString forwardHint() const;

    const QStringList &BackList() const { return m_back; }
    const QStringList &ForwardList() const { return m_forward; }
    const QString &CurrentPage() const { return m_current; }
    bool FirstNavigation() const { return m_firstNavigation; }

private:
    QStringList &listOf(List list) { return list == List::Back ? m_back : m_forward; }

    QStringList m_back;
    QStringList m_forward;
    QString m_current;
    bool m_firstNavigation = true;
};
