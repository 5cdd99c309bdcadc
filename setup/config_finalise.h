#pragma once

// Backs up DeusEx.ini and writes the temporary configuration into it. Returns only when
// DeusEx.ini has been written; a failure ends the process inside the call.
void FinaliseConfiguration();
