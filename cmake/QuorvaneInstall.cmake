# To be written: install rules.
