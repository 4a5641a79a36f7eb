#pragma once

#include "platform/framework/Classes.h"

#include <string>
#include <vector>

namespace framework {

class TBasicAction;

// Connects a client (a control or menu item) to an action; the action pushes its changes through
// the link's virtual setters, which a client's link class overrides.
class TBasicActionLink {
public:
    explicit TBasicActionLink(TObject* client) : m_client(client) {}
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return m_action; }
    void SetAction(TBasicAction* action);
    TObject* Client() const { return m_client; }
    virtual bool Execute(TComponent* component = nullptr);
    virtual bool IsOnExecuteLinked() const { return true; }
    virtual void Change() {}

private:
    friend class TBasicAction;
    TObject* m_client;
    TBasicAction* m_action = nullptr;
};

class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsVisibleLinked() const;
    virtual void SetCaption(const std::string&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetImageIndex(int) {}
    virtual void SetVisible(bool) {}
};

class TBasicAction : public TComponent {
public:
    using TComponent::TComponent;
    ~TBasicAction() override;

    virtual bool Execute();
    virtual bool Update();
    TComponent* ActionComponent() const { return m_actionComponent; }
    void SetActionComponent(TComponent* component) { m_actionComponent = component; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    TNotifyEvent OnChange;

    int ClientCount() const { return static_cast<int>(m_links.size()); }

protected:
    void Change();
    template <class F> void ForEachLink(F&& f) {
        for (TBasicActionLink* link : std::vector<TBasicActionLink*>(m_links))
            if (auto* l = dynamic_cast<TActionLink*>(link))
                f(*l);
    }

private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> m_links;
    TComponent* m_actionComponent = nullptr;
};

class TCustomAction : public TBasicAction {
public:
    using TBasicAction::TBasicAction;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    bool Execute() override;

private:
    // Hands a changed value to every link that follows this property, then stores it and
    // notifies. The links are asked first, while the action still holds the old value: a link
    // follows the property only where its client agrees with the action.
    template <class T, class V>
    void ChangeLinked(T& field, const T& value, bool (TActionLink::*isLinked)() const,
                      void (TActionLink::*apply)(V)) {
        if (value == field)
            return;
        ForEachLink([&](TActionLink& l) {
            if ((l.*isLinked)())
                (l.*apply)(value);
        });
        field = value;
        Change();
    }

    std::string m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    std::string m_hint;
    int m_imageIndex = -1;
    bool m_visible = true;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

} // namespace framework
