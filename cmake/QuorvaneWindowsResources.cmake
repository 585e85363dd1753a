# To be written: the Windows version resource and manifest.
