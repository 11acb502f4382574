#pragma once

// Registers the value types of the foundation with Qt's meta-type system, so that they can
// travel through queued signals and queued slot calls by name.
void RegisterAppMetaTypes();
