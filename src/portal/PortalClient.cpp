#include "PortalClient.h"

PortalClient::PortalClient(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {}

// The request's own destructor closes it if it is still pending.
PortalClient::~PortalClient() = default;

bool PortalClient::isBusy() const {
    return m_request && m_request->isPending();
}

void PortalClient::cancel() {
    discard();
}

void PortalClient::startRequest(const QString& interface, const QString& method,
                                const QVariantMap& options) {
    discard();
    // A child: dropped later, it still goes with its owner.
    m_request = std::make_unique<PortalRequest>(m_bus, m_callTimeout, this);
    connect(m_request.get(), &PortalRequest::answered, this, &PortalClient::handleResults);
    connect(m_request.get(), &PortalRequest::failed, this, &PortalClient::failed);
    m_request->start(interface, method, options);
}

void PortalClient::discard() {
    if (!m_request) {
        return;
    }
    m_request->disconnect(this);
    m_request->cancel();
    // A request may be dropped from one of its own signals, so it goes later, not at once.
    m_request.release()->deleteLater();
}
