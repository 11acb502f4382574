#pragma once

// Registers the lobby's value types for queued signals and queued slot calls by name.
void RegisterLobbyMetaTypes();
