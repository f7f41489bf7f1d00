// Precompiled headers need a target of their own to be built for; this file gives it one.
