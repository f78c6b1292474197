#include "registry/registry_update.h"

#include "platform/program_identity.h"
#include "platform/registry_store.h"
#include "platform/vb_error.h"
#include "registry/c_registry.h"

RegistryUpdate::RegistryUpdate()
{
    registryStore().beginUpdate();
}

RegistryUpdate::~RegistryUpdate()
{
    if (m_open)
        registryStore().dropUpdate();
}

void RegistryUpdate::commit()
{
    m_open = false;
    RegistryStore& store = registryStore();
    if (store.commitUpdate() != ERROR_SUCCESS) {
        throw VbError(RegErrorWriteFailed, programExeName() + QStringLiteral(".cRegistry"),
            QStringLiteral("Failed to save the settings.\n") + store.lastFailure());
    }
}
