#pragma once
// Settings saved together. Every value the settings class writes while a
// RegistryUpdate lives reaches the store's files as one update at commit():
// all of them or, when the program is killed first or a write fails, none.
// An update that goes out of scope without commit() (an error was raised
// half-way) writes nothing.
class RegistryUpdate
{
public:
    RegistryUpdate();
    ~RegistryUpdate();
    RegistryUpdate(const RegistryUpdate&) = delete;
    RegistryUpdate& operator=(const RegistryUpdate&) = delete;

    // Writes the update. A failure is raised as the settings class raises a
    // failed write (0x800469A9, "<program>.cRegistry"), naming the file and
    // the system's reason; no value of the update is then stored.
    void commit();

private:
    bool m_open = true;
};
